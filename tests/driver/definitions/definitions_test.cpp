#include "definition_numbers.h"
#include "definitions.h"
#include "paths.h"
#include "pgc_image.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

namespace {

using lv::Definitions;
using lv::ValueType;
using testpgc::Image;

Definitions load(const Image& image) {
    return Definitions::fromBytes(image.bytes());
}

std::size_t entryCount(const Definitions& d) {
    return d.operations().size() + d.matchItems().size() + d.variables().size() + d.events().size();
}

TEST(DefinitionsFile, EveryKindIsReadFromAKeyedFile) {
    testsupport::TempDir dir;
    const std::string path = dir.file("host.PGC");
    Image(0xA7)
        .record(1, {"", "op_BRIGHTNESS", "0x0110", "POT", "Brightness", "-5", "$FF", "mWindows"})
        .record(1, {"x", "op_SOURCE", "273", "VALUE", "Source", "mInputs", "mWindows", "extra"})
        .record(1, {"", "op_RESET", "$0120", "EXECUTE", "Reset"})
        .record(1, {"", "op_MENU", "x121", "menunav", "Menu", "mWindows"})
        .record(2, {"mInputs", "Analog RGB 1", "isRGB1", "3"})
        .record(3, {"", "16", "BOOLEAN", "vaMUTE"})
        .record(4, {"", "17", "boolean", "vaLOCK"})
        .record(5, {"one", "two", "veMENU", "0X0002"})
        .record(6, {"ignored", "fields"})
        .record(7, {})
        .record(8, {"a"})
        .writeTo(path);

    const Definitions d = Definitions::fromFile(path);
    ASSERT_EQ(d.operations().size(), 4u);
    const lv::OperationDef& pot = d.operations()[0];
    EXPECT_EQ(pot.name, "op_BRIGHTNESS");
    EXPECT_EQ(pot.code, 0x0110);
    EXPECT_EQ(pot.valueType, ValueType::Pot);
    EXPECT_EQ(pot.label, "Brightness");
    EXPECT_EQ(pot.rangeMin, -5);
    EXPECT_EQ(pot.rangeMax, 255);
    EXPECT_EQ(pot.targetList, "mWindows");
    EXPECT_EQ(pot.valueList, "");

    const lv::OperationDef& value = d.operations()[1];
    EXPECT_EQ(value.code, 273);
    EXPECT_EQ(value.valueType, ValueType::Value);
    EXPECT_EQ(value.valueList, "mInputs");
    EXPECT_EQ(value.targetList, "mWindows");
    EXPECT_EQ(value.rangeMin, 0);
    EXPECT_EQ(value.rangeMax, 0);

    EXPECT_EQ(d.operations()[2].valueType, ValueType::Execute);
    EXPECT_EQ(d.operations()[2].targetList, "");
    EXPECT_EQ(d.operations()[3].valueType, ValueType::MenuNav);
    EXPECT_EQ(d.operations()[3].targetList, "mWindows");

    ASSERT_EQ(d.matchItems().size(), 1u);
    EXPECT_EQ(d.matchItems()[0].list, "mInputs");
    EXPECT_EQ(d.matchItems()[0].description, "Analog RGB 1");
    EXPECT_EQ(d.matchItems()[0].code, "isRGB1");
    EXPECT_EQ(d.matchItems()[0].value, 3);

    ASSERT_EQ(d.variables().size(), 2u);
    EXPECT_EQ(d.variables()[0].classFlag, 1);
    EXPECT_EQ(d.variables()[0].code, 16);
    EXPECT_EQ(d.variables()[0].name, "vaMUTE");
    EXPECT_EQ(d.variables()[1].classFlag, 0);
    EXPECT_EQ(d.variables()[1].type, 0);

    ASSERT_EQ(d.events().size(), 1u);
    EXPECT_EQ(d.events()[0].firstText, "one");
    EXPECT_EQ(d.events()[0].secondText, "two");
    EXPECT_EQ(d.events()[0].name, "veMENU");
    EXPECT_EQ(d.events()[0].code, 2);
}

TEST(DefinitionsFile, UnusableFilesGiveEmptyTables) {
    testsupport::TempDir dir;
    EXPECT_EQ(entryCount(Definitions::fromFile(dir.file("missing.PGC"))), 0u);
    // A folder exists but cannot be read as a file.
    std::filesystem::create_directory(dir.file("folder.PGC"));
    EXPECT_EQ(entryCount(Definitions::fromFile(dir.file("folder.PGC"))), 0u);

    Image good(0);
    good.record(5, {"", "", "veMENU", "2"});
    std::vector<std::uint8_t> bytes = good.bytes();
    EXPECT_EQ(entryCount(Definitions::fromBytes(bytes)), 1u);
    bytes[3] = 0x1B; // wrong magic
    EXPECT_EQ(entryCount(Definitions::fromBytes(bytes)), 0u);
    for (std::size_t size = 0; size <= 5; ++size)
        EXPECT_EQ(entryCount(Definitions::fromBytes(std::span(good.bytes()).first(size))), 0u) << size;
}

TEST(DefinitionsFile, FaultyRecordsAreDroppedAndLoadingGoesOn) {
    const Definitions d = load(Image(0x33)
                                   .record(1, {"", "opBadMax", "1", "POT", "L", "0", "abc"})
                                   .record(1, {"", "opNoMax", "2", "POT", "L", "0"})
                                   .record(1, {"", "opNoValueList", "3", "VALUE", "L"})
                                   .record(1, {"", "opBadType", "4", "SLIDER", "L"})
                                   .record(1, {"", "opBadCode", "4x", "EXECUTE", "L"})
                                   .record(1, {"", "opNoLabel", "5", "EXECUTE"})
                                   .record(1, {"", "opLowerPot", "6", "pot", "L", "1", "9"})
                                   .record(2, {"mList", "d", "c", "seven"})
                                   .record(2, {"mList", "d", "c"})
                                   .record(3, {"", "8", "INTEGER", "vaWord"})
                                   .record(4, {"", "", "BOOLEAN", "vaNoCode"})
                                   .record(5, {"", "", "veNoCode", ""})
                                   .record(5, {"", "", "veShort"})
                                   .record(5, {"", "", "veLast", "9"}));
    ASSERT_EQ(d.operations().size(), 1u);
    EXPECT_EQ(d.operations()[0].name, "opLowerPot");
    EXPECT_EQ(d.operations()[0].valueType, ValueType::Pot);
    EXPECT_EQ(d.matchItems().size(), 0u);
    EXPECT_EQ(d.variables().size(), 0u);
    ASSERT_EQ(d.events().size(), 1u);
    EXPECT_EQ(d.events()[0].name, "veLast");
}

TEST(DefinitionsFile, LoadingEndsEarlyButKeepsCompleteRecords) {
    // A non-marker byte where the first record should start ends loading at once.
    EXPECT_EQ(entryCount(load(Image(0x10).plain(0x05).record(5, {"", "", "veA", "1"}))), 0u);

    // A field whose text runs past the end: the records before it stay.
    Image cut(0x5A);
    cut.record(5, {"", "", "veA", "1"}).record(5, {"", "", "veB"}).plain(10).plain('2');
    const Definitions d = load(cut);
    ASSERT_EQ(d.events().size(), 1u);
    EXPECT_EQ(d.events()[0].name, "veA");

    // A marker as the last byte starts an empty record and ends the file.
    EXPECT_EQ(load(Image(0x5A).record(5, {"", "", "veA", "1"}).plain(0x80)).events().size(), 1u);
    // Length bytes 0x88..0xFF are lengths, not markers.
    const std::string longLabel(200, 'L');
    const Definitions wide = load(Image(0x80).record(1, {"", "opWide", "1", "EXECUTE", longLabel}));
    ASSERT_EQ(wide.operations().size(), 1u);
    EXPECT_EQ(wide.operations()[0].label, longLabel);
}

TEST(DefinitionsFile, NumbersKeepTheirLowBits) {
    const Definitions d =
        load(Image(1)
                 .record(1, {"", "opWrap", "0x12345", "POT", "L", "$FFFFFFFF", "-2147483648"})
                 .record(1, {"", "opNeg", "-1", "EXECUTE", "L"})
                 .record(2, {"mL", "d", "big", "0x1FFFFFFFF"})
                 .record(2, {"mL", "d", "dec", "4294967297"})
                 .record(2, {"mL", "d", "neg", "-9223372036854775808"})
                 .record(2, {"mL", "d", "over", "9223372036854775808"}));
    ASSERT_EQ(d.operations().size(), 2u);
    EXPECT_EQ(d.operations()[0].code, 0x2345);
    EXPECT_EQ(d.operations()[0].rangeMin, -1);
    EXPECT_EQ(d.operations()[0].rangeMax, -2147483647 - 1);
    EXPECT_EQ(d.operations()[1].code, 0xFFFF);
    ASSERT_EQ(d.matchItems().size(), 3u);
    EXPECT_EQ(d.matchItems()[0].value, -1);
    EXPECT_EQ(d.matchItems()[1].value, 1);
    EXPECT_EQ(d.matchItems()[2].value, 0);
}

TEST(DefinitionNumbers, AcceptedAndRejectedTexts) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> expected;
    };
    const Case cases[] = {
        {"0", 0},
        {"  42", 42},
        {"\t+42", 42},
        {"-42", -42},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"000000000000123", 123},
        {"$1f", 31},
        {"x1F", 31},
        {"X1f", 31},
        {"0x1F", 31},
        {"0X1F", 31},
        {"-$10", -16},
        {"$FFFFFFFF", -1},
        {"$100000000", std::nullopt},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"", std::nullopt},
        {"  ", std::nullopt},
        {"-", std::nullopt},
        {"42 ", std::nullopt},
        {"4 2", std::nullopt},
        {"- 4", std::nullopt},
        {"1e3", std::nullopt},
        {"$G", std::nullopt},
        {"0b101", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(lv::parseDefinitionInt32(c.text), c.expected) << '"' << c.text << '"';

    EXPECT_EQ(lv::parseDefinitionInt64("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(lv::parseDefinitionInt64("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(lv::parseDefinitionInt64("9223372036854775808"), std::nullopt);
    EXPECT_EQ(lv::parseDefinitionInt64("$FFFFFFFFFFFFFFFF"), -1);
    EXPECT_EQ(lv::parseDefinitionInt64("$10000000000000000"), std::nullopt);
}

TEST(DefinitionsLookup, CaseIsIgnoredAndTheFirstEntryWins) {
    const Definitions d = load(Image(0x21)
                                   .record(5, {"", "", "veMenu", "1"})
                                   .record(5, {"", "", "VEMENU", "2"})
                                   .record(5, {"", "", "veOther", "1"})
                                   .record(1, {"", "op_A", "10", "EXECUTE", "first"})
                                   .record(1, {"", "OP_a", "11", "EXECUTE", "second"})
                                   .record(3, {"", "5", "BOOLEAN", "vaX"})
                                   .record(4, {"", "6", "BOOLEAN", "VAx"})
                                   .record(2, {"mColors", "Black", "scBLACK", "0"})
                                   .record(2, {"mOther", "Black", "scBLACK", "9"})
                                   .record(2, {"MCOLORS", "White", "scWHITE", "1"})
                                   .record(2, {"mcolors", "Black again", "SCblack", "2"})
                                   .record(2, {"mColors", "Also zero", "scZERO", "0"}));
    ASSERT_NE(d.findEvent("VeMeNu"), nullptr);
    EXPECT_EQ(d.findEvent("VeMeNu")->code, 1);
    EXPECT_EQ(d.findEvent("veMenu "), nullptr);
    EXPECT_EQ(d.findOperation("op_a")->label, "first");
    EXPECT_EQ(d.findVariable("vax")->classFlag, 1);
    EXPECT_EQ(d.findOperation("op_B"), nullptr);
    EXPECT_EQ(d.findVariable(""), nullptr);

    // Reverse look-ups also take the first entry with the code.
    EXPECT_EQ(d.findEventByCode(1)->name, "veMenu");
    EXPECT_EQ(d.findOperationByCode(11)->label, "second");
    EXPECT_EQ(d.findVariableByCode(6)->name, "VAx");
    EXPECT_EQ(d.findEventByCode(3), nullptr);

    EXPECT_EQ(d.countMatchItems("mcolors"), 4u);
    EXPECT_EQ(d.countMatchItems("mOther"), 1u);
    EXPECT_EQ(d.countMatchItems("mNone"), 0u);
    EXPECT_EQ(d.findMatchItemByCode("MColors", "scblack")->description, "Black");
    EXPECT_EQ(d.findMatchItemByCode("mOther", "scBLACK")->value, 9);
    EXPECT_EQ(d.findMatchItemByCode("mNone", "scBLACK"), nullptr);
    EXPECT_EQ(d.findMatchItemByValue("mColors", 0)->code, "scBLACK");
    EXPECT_EQ(d.findMatchItemByValue("mColors", 2)->description, "Black again");
    EXPECT_EQ(d.findMatchItemByValue("mColors", 9), nullptr);

    const char* inOrder[] = {"scBLACK", "scWHITE", "SCblack", "scZERO"};
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(d.matchItemAt("MCOLORS", i)->code, inOrder[i]);
    EXPECT_EQ(d.matchItemAt("mColors", 4), nullptr);
    EXPECT_EQ(d.matchItemAt("mNone", 0), nullptr);
}

TEST(DefinitionsLookup, TablesSurviveAMove) {
    Definitions loaded = load(Image(2).record(5, {"", "", "veA", "1"}));
    Definitions target;
    target = std::move(loaded);
    ASSERT_NE(target.findEvent("vea"), nullptr);
    EXPECT_EQ(target.findEvent("vea")->code, 1);
    EXPECT_EQ(loaded.findEvent("vea"), nullptr); // a moved-from object reads as empty
    EXPECT_EQ(loaded.countMatchItems("mL"), 0u);
}

} // namespace
