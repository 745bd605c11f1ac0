// The definitions compiler, run as the real program on files in a temporary folder.
#include "definitions.h"
#include "paths.h"
#include "pgc_records.h"
#include "program_run.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

Bytes readBytes(const std::string& path) {
    const std::string text = readText(path);
    return {text.begin(), text.end()};
}

void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

void writeBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class Pgc : public ::testing::Test {
protected:
    testsupport::TempDir dir;

    // The arguments separated by blanks (no argument holds one).
    ProgramRun pgc(const std::string& arguments) {
        std::vector<std::string> args;
        std::istringstream words(arguments);
        for (std::string word; words >> word;)
            args.push_back(word);
        const auto run = testsupport::runProgram(testsupport::binPath("pgc"), args);
        return {run.status, run.out, run.err};
    }

    // Compiles `source` and returns the file's bytes; fails the test on errors.
    Bytes compile(const std::string& source, const std::string& options = "--key 0x5A") {
        writeText(dir.file("in.pgcs"), source);
        const ProgramRun run =
            pgc("compile " + dir.file("in.pgcs") + " -o " + dir.file("out.PGC") + " " + options);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return readBytes(dir.file("out.PGC"));
    }
};

TEST_F(Pgc, CompilesByteForByte) {
    const Bytes bytes = compile("# comment line\n"
                                "\n"
                                "event veUP code=6 first=a   # trailing comment\n"
                                "item mL c value=$1 \"d\\x01\"\n",
                                "--key 0x0F");
    // Every byte after the key is XORed with 0x0F.
    const Bytes expected{'P',        'G',        'C',        0x1A,       0x0F,        0x84 ^ 0x0F,
                         1 ^ 0x0F,   'a' ^ 0x0F, 0 ^ 0x0F,   4 ^ 0x0F,   'v' ^ 0x0F,  'e' ^ 0x0F,
                         'U' ^ 0x0F, 'P' ^ 0x0F, 1 ^ 0x0F,   '6' ^ 0x0F, 0x81 ^ 0x0F, 2 ^ 0x0F,
                         'm' ^ 0x0F, 'L' ^ 0x0F, 2 ^ 0x0F,   'd' ^ 0x0F, 0x01 ^ 0x0F, 1 ^ 0x0F,
                         'c' ^ 0x0F, 2 ^ 0x0F,   '$' ^ 0x0F, '1' ^ 0x0F};
    EXPECT_EQ(bytes, expected);
}

TEST_F(Pgc, EveryLineKindReachesTheDriverTables) {
    const Bytes bytes =
        compile("operation op_POT code=0x10 type=pot label=\"A label\" min=-5 max=5 target=mWin group=g\n"
                "operation op_VAL code=17 type=Value values=mList\n"
                "operation op_TOG code=18 type=TOGGLE target=mWin\n"
                "item mList \"code with blank\" value=0x1FFFFFFFF \"Description\"\n"
                "variable vaONE code=4\n"
                "variable vaZERO code=5 class=0\n"
                "event veA code=7 first=one second=two\n"
                "record 6 anything at all\n");
    const lv::Definitions d = lv::Definitions::fromBytes(bytes);
    ASSERT_EQ(d.operations().size(), 3u);
    EXPECT_EQ(d.operations()[0].valueType, lv::ValueType::Pot);
    EXPECT_EQ(d.operations()[0].label, "A label");
    EXPECT_EQ(d.operations()[0].rangeMin, -5);
    EXPECT_EQ(d.operations()[0].targetList, "mWin");
    EXPECT_EQ(d.operations()[1].valueList, "mList");
    EXPECT_EQ(d.operations()[1].targetList, "");
    EXPECT_EQ(d.operations()[2].valueType, lv::ValueType::Toggle);
    ASSERT_NE(d.findMatchItemByCode("mlist", "CODE WITH BLANK"), nullptr);
    EXPECT_EQ(d.findMatchItemByCode("mlist", "CODE WITH BLANK")->value, -1);
    EXPECT_EQ(d.findVariable("vaONE")->classFlag, 1);
    EXPECT_EQ(d.findVariable("vaZERO")->classFlag, 0);
    EXPECT_EQ(d.findEvent("vea")->secondText, "two");
}

// dump prints a source that compiles back to the very same bytes.
TEST_F(Pgc, DumpAndCompileRoundTrip) {
    // Our own definitions, built by the build with key 0x5A.
    const Bytes built = readBytes(testsupport::binPath("mlcenter.PGC"));
    ASSERT_GT(built.size(), 1000u);
    const ProgramRun recompiled = pgc("compile " + testsupport::sourcePath("defs/marlune.pgcs") + " -o " +
                                      dir.file("m.PGC") + " --key 0x5A");
    ASSERT_EQ(recompiled.exitCode, 0) << recompiled.err;
    EXPECT_EQ(readBytes(dir.file("m.PGC")), built);

    const ProgramRun dumped =
        pgc("dump " + testsupport::binPath("mlcenter.PGC") + " -o " + dir.file("m.pgcs"));
    ASSERT_EQ(dumped.exitCode, 0) << dumped.err;
    ASSERT_EQ(pgc("compile " + dir.file("m.pgcs") + " -o " + dir.file("again.PGC")).exitCode, 0);
    EXPECT_EQ(readBytes(dir.file("again.PGC")), built); // the key comes from the dumped key line

    // Records the named forms cannot show: extra fields, dropped entries, odd bytes,
    // number spellings, a record without fields at the very end.
    std::vector<lv::PgcRecord> odd{
        {1, {"", "op_A", " 0x10", "pot", "", "1", "2", "mT", "extra"}},
        {1, {"grp", "op_B", "$11", "VALUE", "L", ""}},
        {1, {"", "op_C", "12", "SLIDER", "L"}},
        {1, {"", "op name", "13"}},
        {2, {"m L", "tab\there", "quote\"back\\slash", "-0"}},
        {2, {"mL", "", "#hash", "x"}},
        {3, {"", "7", "boolean", "=eq"}},
        {4, {"", "8", "INTEGER", "vaI"}},
        {5, {"", "", "veA"}},
        {5, {std::string("\x00\x7F\x80\xFF", 4), "", "veB", "+9"}},
        {8, {std::string(255, 'z'), std::string(136, 'y'), std::string(127, 'x')}},
        {7, {}},
    };
    Bytes image{'P', 'G', 'C', 0x1A, 0xC3};
    for (const lv::PgcRecord& record : odd) {
        image.push_back(static_cast<std::uint8_t>(0x80 + record.kind - 1) ^ 0xC3);
        for (const std::string& field : record.fields) {
            image.push_back(static_cast<std::uint8_t>(field.size()) ^ 0xC3);
            for (char c : field)
                image.push_back(static_cast<std::uint8_t>(c) ^ 0xC3);
        }
    }
    writeBytes(dir.file("odd.PGC"), image);
    ASSERT_EQ(pgc("dump " + dir.file("odd.PGC") + " -o " + dir.file("odd.pgcs")).exitCode, 0);
    const ProgramRun compiled = pgc("compile " + dir.file("odd.pgcs") + " -o " + dir.file("odd2.PGC"));
    ASSERT_EQ(compiled.exitCode, 0) << compiled.err << readText(dir.file("odd.pgcs"));
    EXPECT_EQ(readBytes(dir.file("odd2.PGC")), image) << readText(dir.file("odd.pgcs"));
}

TEST_F(Pgc, DumpShowsNamedFormsAndStopsWhereLoadingStops) {
    compile("operation op_X code=1 type=EXECUTE label=\"Do it\"\nevent veA code=2\n");
    Bytes bytes = readBytes(dir.file("out.PGC"));
    bytes.push_back(10 ^ 0x5A); // a field that runs past the end
    bytes.push_back('q' ^ 0x5A);
    writeBytes(dir.file("cut.PGC"), bytes);
    const ProgramRun run = pgc("dump " + dir.file("cut.PGC"));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "key 0x5A\noperation op_X code=1 type=EXECUTE label=\"Do it\"\n");
    EXPECT_NE(run.err.find("cut short"), std::string::npos) << run.err;

    writeBytes(dir.file("plain.txt"), {'P', 'G', 'X', 0x1A, 0});
    const ProgramRun wrong = pgc("dump " + dir.file("plain.txt"));
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_NE(wrong.err.find("not a definition file"), std::string::npos);
}

TEST_F(Pgc, SourceErrorsNameTheLineAndWriteNothing) {
    writeText(dir.file("bad.pgcs"), "event veA code=1\n"
                                    "operation op_X code=1 type=POT min=0\n"
                                    "operation op_Y code=1 type=SLIDER\n"
                                    "item mL c value=zz\n"
                                    "event veB code=\"unterminated\n"
                                    "frobnicate x\n"
                                    "record 9\n"
                                    "event veC code=1 colour=red\n"
                                    "event VEA code=3\n" +
                                        ("item mL long value=1 \"" + std::string(130, 'x') + "\"\n"));
    const ProgramRun run = pgc("compile " + dir.file("bad.pgcs") + " -o " + dir.file("bad.PGC"));
    EXPECT_EQ(run.exitCode, 1);
    const std::string prefix = dir.file("bad.pgcs") + ":";
    for (const std::string expected :
         {"2: error: missing max", "3: error: type=SLIDER is none of", "4: error: value=zz is not",
          "5: error: unterminated quoted text", "6: error: unknown keyword 'frobnicate'",
          "7: error: record kind 9 is not 1..8", "8: error: unknown parameter colour=",
          "9: warning: event VEA is already defined on line 1", "10: error: field 1 has 130 bytes"})
        EXPECT_NE(run.err.find(prefix + expected), std::string::npos) << expected << "\n" << run.err;
    EXPECT_FALSE(std::ifstream(dir.file("bad.PGC")).good());
}

TEST_F(Pgc, KeyChoiceAndCommandLine) {
    const std::string source = "key 0x21\nevent veA code=1\n";
    EXPECT_EQ(compile(source, "").at(4), 0x21);
    EXPECT_EQ(compile(source, "--key 200").at(4), 200);
    const Bytes random = compile(source, "--random-key");
    EXPECT_EQ(lv::Definitions::fromBytes(random).events().size(), 1u);

    EXPECT_EQ(pgc("--help").exitCode, 0);
    EXPECT_NE(pgc("--help").out.find("pgc compile SOURCE -o FILE"), std::string::npos);
    EXPECT_EQ(pgc("compile " + dir.file("in.pgcs")).exitCode, 2); // no -o
    EXPECT_EQ(pgc("compile " + dir.file("in.pgcs") + " -o x --key 256").exitCode, 2);
    EXPECT_EQ(pgc("compile " + dir.file("in.pgcs") + " -o x --key 1 --random-key").exitCode, 2);
    EXPECT_EQ(pgc("assemble x").exitCode, 2);
    EXPECT_EQ(pgc("compile " + dir.file("missing.pgcs") + " -o x").exitCode, 1);
}

} // namespace
