#include "files/monitor_record.h"
#include "little_endian.h"
#include "paths.h"
#include "scripted_operator.h"
#include "sequencer/sequence_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

using testsupport::readAll;

std::unique_ptr<mlc::TSequenceItem> itemNamed(const std::string& name, int brightness) {
    auto item = mlc::NewSequenceItem();
    item->Hours = 1;
    item->Minutes = 2;
    item->Seconds = 3;
    item->TimeMode = mlc::FromStart;
    for (auto& s : item->Settings)
        s.Brightness = brightness;
    item->Settings[mlc::placeIndex(16, 16)].Contrast = 1616;
    item->setName(name);
    return item;
}

void appendI32(std::vector<std::uint8_t>& file, std::int32_t value) {
    file.resize(file.size() + 4);
    lv::putLe32(file.data() + file.size() - 4, value);
}

TEST(SequenceFile, AnEmptyTimelineIsEightBytes) {
    const auto file = mlc::encodeSequence({});
    EXPECT_EQ(file, (std::vector<std::uint8_t>{'M', 'L', 'S', 'F', 0, 0, 0, 0}));
    const auto items = mlc::decodeSequence(file);
    ASSERT_TRUE(items);
    EXPECT_TRUE(items->empty());
}

TEST(SequenceFile, WritesEachRecordWithItsLengthTimesSettingsAndName) {
    mlc::SequenceItems items;
    items.push_back(itemNamed("Opening", 123));
    items.push_back(nullptr); // an empty slot
    const auto file = mlc::encodeSequence(items);
    ASSERT_EQ(file.size(), 8u + 43276u + 4u);
    EXPECT_EQ(std::vector<std::uint8_t>(file.begin(), file.begin() + 20),
              (std::vector<std::uint8_t>{'M', 'L', 'S', 'F', 2, 0, 0, 0, 0x08, 0xA9, 0, 0, // count, 43272
                                         1,   2,   3,   1,   0, 0, 0, 0})); // time, mode, padding
    // Column 16, row 16 of the record starts at 12 + 15 * 2688 + 15 * 168 (record offsets
    // count from the length field).
    EXPECT_EQ(mlc::decodeMonitorSettings(file.data() + 8 + 12 + 15 * 2688 + 15 * 168).Contrast, 1616);
    EXPECT_EQ(file[8 + 43020], 7);
    EXPECT_EQ(std::string(file.begin() + 8 + 43021, file.begin() + 8 + 43028), "Opening");
    EXPECT_EQ(file[8 + 43028], 0);
    EXPECT_EQ(std::vector<std::uint8_t>(file.end() - 4, file.end()), (std::vector<std::uint8_t>{0, 0, 0, 0}));

    const auto back = mlc::decodeSequence(file);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->size(), 1u); // the empty slot adds nothing
    EXPECT_EQ((*back)[0]->name(), "Opening");
    EXPECT_EQ((*back)[0]->Settings, items[0]->Settings);
    EXPECT_EQ(mlc::encodeSequence(*back), mlc::encodeSequence([&] {
                  mlc::SequenceItems one;
                  one.push_back(itemNamed("Opening", 123));
                  return one;
              }()));
}

TEST(SequenceFile, ARecordOfLengthZeroConsumesNoItemBytes) {
    mlc::SequenceItems one;
    one.push_back(itemNamed("B", 2));
    const auto single = mlc::encodeSequence(one);
    std::vector<std::uint8_t> file{'M', 'L', 'S', 'F'};
    appendI32(file, 3);
    appendI32(file, 0);
    appendI32(file, 0);
    file.insert(file.end(), single.begin() + 8, single.end());
    const auto items = mlc::decodeSequence(file);
    ASSERT_TRUE(items);
    ASSERT_EQ(items->size(), 1u);
    EXPECT_EQ((*items)[0]->name(), "B");
}

TEST(SequenceFile, NamesOf255CharactersSurviveAndLongerOnesAreCut) {
    testsupport::TempDir dir;
    testsupport::ScriptedOperator op;
    mlc::SequenceItems items;
    items.push_back(itemNamed(std::string(255, 'n'), 1));
    items.push_back(itemNamed(std::string(254, 'a') + "\xC3\xA9", 1)); // a 2-byte character at the limit
    ASSERT_TRUE(mlc::saveSequenceFile(op, dir.file("s.MLS"), items));
    const auto back = mlc::loadSequenceFile(dir.file("s.MLS"));
    ASSERT_TRUE(back);
    ASSERT_EQ(back->size(), 2u);
    EXPECT_EQ((*back)[0]->name(), std::string(255, 'n'));
    EXPECT_EQ((*back)[1]->name(), std::string(254, 'a')); // cut before the character, not inside it
    EXPECT_EQ(readAll(dir.file("s.MLS")).size(), 8u + 2 * 43276u);
}

TEST(SequenceFile, RefusesBadHeadersAndOversizedRecords) {
    EXPECT_FALSE(mlc::decodeSequence(std::vector<std::uint8_t>{'M', 'L', 'S'}));
    EXPECT_FALSE(mlc::decodeSequence(std::vector<std::uint8_t>{'M', 'L', 'S', 'F', 0}));
    EXPECT_FALSE(mlc::decodeSequence(std::vector<std::uint8_t>{'M', 'L', 'V', 'F', 0, 0, 0, 0}));

    std::vector<std::uint8_t> file{'M', 'L', 'S', 'F'};
    appendI32(file, 1);
    appendI32(file, 43273);
    file.resize(file.size() + 43273, 0);
    EXPECT_FALSE(mlc::decodeSequence(file));
}

TEST(SequenceFile, ShortRecordsFillTheStartAndMissingDataEndsTheRead) {
    mlc::SequenceItems two;
    two.push_back(itemNamed("A", 1));
    two.push_back(itemNamed("B", 2));
    auto file = mlc::encodeSequence(two);

    // Announcing five items where two are present: the two are the sequence.
    lv::putLe32(file.data() + 4, 5);
    auto items = mlc::decodeSequence(file);
    ASSERT_TRUE(items);
    EXPECT_EQ(items->size(), 2u);

    // The second record cut off by the end of the file is dropped.
    file.resize(file.size() - 10);
    items = mlc::decodeSequence(file);
    ASSERT_TRUE(items);
    ASSERT_EQ(items->size(), 1u);
    EXPECT_EQ((*items)[0]->name(), "A");

    // A record of 4 bytes sets the time and mode of a new item and nothing else.
    std::vector<std::uint8_t> shortRecord{'M', 'L', 'S', 'F'};
    appendI32(shortRecord, 1);
    appendI32(shortRecord, 4);
    shortRecord.insert(shortRecord.end(), {5, 6, 7, 0});
    items = mlc::decodeSequence(shortRecord);
    ASSERT_TRUE(items);
    ASSERT_EQ(items->size(), 1u);
    const auto fresh = mlc::NewSequenceItem();
    EXPECT_EQ((*items)[0]->Hours, 5);
    EXPECT_EQ((*items)[0]->TimeMode, mlc::FromMidnight);
    EXPECT_EQ((*items)[0]->Settings, fresh->Settings);
    EXPECT_EQ((*items)[0]->name(), "");
}

} // namespace
