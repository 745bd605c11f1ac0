// Our compiled definitions must hold every name the control program, the tools and
// the emulator send or load; these tests guard that contract.
#include "definitions.h"
#include "paths.h"
#include "sync/monitor_fields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

namespace {

using lv::Definitions;
using lv::ValueType;

const Definitions& marlune() {
    static const Definitions definitions = Definitions::fromFile(testsupport::binPath("mlcenter.PGC"));
    return definitions;
}

bool equalsIgnoringCase(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return std::toupper(x) == std::toupper(y); });
}

std::vector<std::string> numbered(const std::string& prefix, int from, int to) {
    std::vector<std::string> names;
    for (int i = from; i <= to; ++i)
        names.push_back(prefix + std::to_string(i));
    return names;
}

// The codes of a list in file order without the excluded ones, as the control program keeps them.
std::vector<std::string> listAfterExclusion(const std::string& list, const std::set<std::string>& excluded) {
    std::vector<std::string> codes;
    for (std::size_t i = 0; i < marlune().countMatchItems(list); ++i) {
        const std::string& code = marlune().matchItemAt(list, i)->code;
        if (!excluded.count(code))
            codes.push_back(code);
    }
    return codes;
}

void expectItems(const std::string& list, const std::vector<std::string>& codes) {
    for (const std::string& code : codes)
        EXPECT_NE(marlune().findMatchItemByCode(list, code), nullptr) << list << " lacks " << code;
}

struct OperationUse {
    const char* name;
    ValueType type;
    const char* target; // nullptr: sent without a target
};

// Operation, type and the target the control program sends with it, besides the
// monitor settings of the wall write (kMonitorFields).
const OperationUse kOperations[] = {
    {"op_IP_MISC_DEVICESELECTION", ValueType::Value, "slmIMMEXCLUSIVE"},
    {"op_IP_MISC_SETQUEUE", ValueType::Execute, nullptr},
    {"op_IP_MISC_EXECUTEQUEUE", ValueType::Execute, nullptr},
    {"op_IP_MISC_GPO", ValueType::Value, "gc8CHANNEL7"},
    {"op_IP_LCRST_USERPARMSET", ValueType::Value, nullptr},
    {"op_IP_LCRST_SAVEUSERPARMSET", ValueType::Execute, nullptr},
    {"op_IP_LCRST_RESTOREUSERSET", ValueType::Execute, nullptr},
    {"op_DATA_MANAGER_RESET", ValueType::Execute, nullptr},
    {"op_IP_MISC_RESET", ValueType::Execute, nullptr},
    {"op_PANEL_SELECT", ValueType::Value, nullptr},
    {"op_LANGUAGE", ValueType::Value, nullptr},
};

std::vector<OperationUse> operationsInUse() {
    std::vector<OperationUse> uses(std::begin(kOperations), std::end(kOperations));
    for (const mlc::MonitorField& field : mlc::kMonitorFields) {
        const bool percent = field.value == mlc::FieldValue::Percent ||
                             field.value == mlc::FieldValue::Zoom || field.value == mlc::FieldValue::Pan;
        uses.push_back({field.operation, percent ? ValueType::Pot : ValueType::Value,
                        *field.target ? field.target : nullptr});
    }
    return uses;
}

TEST(MarluneDefinitions, EveryOperationWithItsTypeAndTarget) {
    for (const OperationUse& use : operationsInUse()) {
        SCOPED_TRACE(use.name);
        const lv::OperationDef* op = marlune().findOperation(use.name);
        ASSERT_NE(op, nullptr);
        EXPECT_EQ(op->valueType, use.type);
        if (use.target) {
            EXPECT_NE(marlune().findMatchItemByCode(op->targetList, use.target), nullptr) << op->targetList;
        } else {
            EXPECT_EQ(op->targetList, "");
        }
        if (op->valueType == ValueType::Value) {
            EXPECT_GT(marlune().countMatchItems(op->valueList), 0u) << op->valueList;
        }
        if (op->valueType == ValueType::Pot) {
            EXPECT_LT(op->rangeMin, op->rangeMax);
        }
    }
    // One unit code per operation, so the unit side can tell them apart.
    std::set<std::uint16_t> codes;
    for (const lv::OperationDef& op : marlune().operations())
        EXPECT_TRUE(codes.insert(op.code).second) << op.name;
}

TEST(MarluneDefinitions, ValuesTheControlProgramSends) {
    // Device selection: each identifier's value is the device ID it selects.
    const std::string& ids = marlune().findOperation("op_IP_MISC_DEVICESELECTION")->valueList;
    EXPECT_EQ(marlune().findMatchItemByCode(ids, "envNotEnabled")->value, 0);
    EXPECT_EQ(marlune().findMatchItemByCode(ids, "envEnable")->value, 1);
    for (int id = 2; id <= 255; ++id) {
        const std::string code = (id < 10 ? "env0" : "env") + std::to_string(id);
        const lv::MatchItem* item = marlune().findMatchItemByCode(ids, code);
        ASSERT_NE(item, nullptr) << code;
        EXPECT_EQ(item->value, id) << code;
    }

    const lv::OperationDef* gpo = marlune().findOperation("op_IP_MISC_GPO");
    expectItems(gpo->valueList, numbered("gc16CHANNEL", 1, 16));
    expectItems(gpo->targetList, numbered("gc8CHANNEL", 1, 8));
    const lv::OperationDef* bindKey = marlune().findOperation("op_IP_MISC_BINDKEY");
    EXPECT_TRUE(equalsIgnoringCase(bindKey->valueList, "mInputSources"));
    expectItems(bindKey->targetList, numbered("gc8CHANNEL", 1, 4));
    expectItems(marlune().findOperation("op_FREEZE_FRAME")->valueList, {"enEnable", "enNotEnabled"});
    expectItems(marlune().findOperation("op_IP_LCRST_USERPARMSET")->valueList,
                numbered("gc16CHANNEL", 1, 16));

    // The value lists of the list settings are the match lists the control program loads.
    const std::pair<const char*, const char*> lists[] = {
        {"op_SELECT_SOURCE", "mInputSources"},
        {"op_INTERPOLATIONTYPE", "mInterpolation"},
        {"op_FILTER_SELECT", "mInputFilter"},
        {"op_COLOR_TEMP", "mColorTemp"},
        {"op_KEYSTONE_MODE", "mKeystoningMode"},
        {"op_BLANK_DISPLAY_COLOR", "mScreenColors"},
        {"op_TEST_PATTERN", "mTestPattern"},
        {"op_PANEL_SELECT", "mOutputDisplays"},
        {"op_LANGUAGE", "mLanguage"},
    };
    for (const auto& [op, list] : lists)
        EXPECT_TRUE(equalsIgnoringCase(marlune().findOperation(op)->valueList, list)) << op;
}

TEST(MarluneDefinitions, TwelveMatchListsAfterExclusion) {
    const auto inputs = listAfterExclusion("mInputSources", {"isAUTOSELECT"});
    EXPECT_GE(inputs.size(), 7u); // the default key bindings use positions 0, 1, 5 and 6
    expectItems("mInputSources",
                {"isAUTOSELECT", "isANALOGRGB1", "isANALOGRGB2", "isANALOGRGB3", "isANALOGRGB4"});

    EXPECT_GE(listAfterExclusion("mColorTemp", {}).size(), 2u);
    const std::vector<std::string> scaleExcluded{"smONE_TO_ONE", "smFILL_TO_ASPECT_RATIO",
                                                 "smFILL_TO_16X9_LINEAR", "sm4X3A_TO_4X3", "smANAMORPHIC"};
    expectItems("mScaleMode", scaleExcluded);
    EXPECT_GE(listAfterExclusion("mScaleMode", {scaleExcluded.begin(), scaleExcluded.end()}).size(), 2u);
    EXPECT_GE(listAfterExclusion("mInputFilter", {}).size(), 2u);
    expectItems("mKeystoningMode", {"kmKEYSTONINGMODE_COUNT"});
    EXPECT_GE(listAfterExclusion("mKeystoningMode", {"kmKEYSTONINGMODE_COUNT"}).size(), 2u);

    // Frame lock and HD15 sync get fixed texts for exactly the positions that remain.
    expectItems("mGenChannel16", numbered("gc16CHANNEL", 1, 16));
    expectItems("mGenChannel16", {"gc16CURRENT_GENCHANNEL16"});
    std::set<std::string> frameLockExcluded{"gc16CURRENT_GENCHANNEL16"};
    for (int i : {2, 3, 4, 5, 6, 9, 10, 11, 12, 15, 16})
        frameLockExcluded.insert("gc16CHANNEL" + std::to_string(i));
    EXPECT_EQ(listAfterExclusion("mGenChannel16", frameLockExcluded).size(), 5u);
    std::set<std::string> syncExcluded{"gc16CURRENT_GENCHANNEL16"};
    for (int i = 3; i <= 16; ++i)
        syncExcluded.insert("gc16CHANNEL" + std::to_string(i));
    EXPECT_EQ(listAfterExclusion("mGenChannel16", syncExcluded).size(), 2u);

    expectItems("mInterpolation", {"inSTATIC_MESH", "inTWO_FIELDS_2L"});
    EXPECT_GE(listAfterExclusion("mInterpolation", {"inSTATIC_MESH", "inTWO_FIELDS_2L"}).size(),
              2u); // default 1

    expectItems("mScreenColors", {"scBLACK", "scDKBLUE", "scDKGREEN", "scDKRED", "scWHITE"});
    const auto colors = listAfterExclusion("mScreenColors", {"scDKBLUE", "scDKGREEN", "scDKRED", "scWHITE"});
    EXPECT_NE(std::find(colors.begin(), colors.end(), "scBLACK"), colors.end());

    EXPECT_GE(listAfterExclusion("mOutputDisplays", {}).size(), 2u);
    expectItems("mTestPattern", {"tpCURRENT_TESTPATTERN"});
    const auto patterns = listAfterExclusion("mTestPattern", {"tpCURRENT_TESTPATTERN"});
    EXPECT_NE(std::find(patterns.begin(), patterns.end(), "tpTPRemove"), patterns.end());
    EXPECT_GE(listAfterExclusion("mLanguage", {}).size(), 2u);

    // Display texts are what the operator picks from.
    for (const lv::MatchItem& item : marlune().matchItems())
        EXPECT_FALSE(item.description.empty()) << item.list << " " << item.code;
}

TEST(MarluneDefinitions, RemoteControlEventsAndVariables) {
    const char* events[] = {
        "veAUTO_ADJUST", "veMENUUP",  "veMENULEFT",  "veMENURIGHT", "veMENUDOWN", "veUP",        "veLEFT",
        "veRIGHT",       "veDOWN",    "veINFO",      "veQUICKMENU", "veZOOM",     "veVIDEOWALL", "veSETTINGS",
        "veF1",          "veF2",      "veF3",        "veF4",        "veNUM1",     "veNUM2",      "veNUM3",
        "veMEMORY1",     "veNUM4",    "veNUM5",      "veNUM6",      "veMEMORY2",  "veNUM7",      "veNUM8",
        "veNUM9",        "veMEMORY3", "veIDREQUEST", "veNUM0",      "veIDCLEAR",  "veMEMORY4",   "veESCAPE"};
    std::set<std::uint16_t> codes;
    for (const char* name : events) {
        const lv::EventDef* event = marlune().findEvent(name);
        ASSERT_NE(event, nullptr) << name;
        EXPECT_TRUE(codes.insert(event->code).second) << name;
    }
    EXPECT_EQ(marlune().events().size(), 35u);

    bool classOne = false, classZero = false;
    for (const lv::VariableDef& variable : marlune().variables())
        (variable.classFlag ? classOne : classZero) = true;
    EXPECT_TRUE(classOne && classZero);

    bool negativeMinimum = false;
    for (const lv::OperationDef& op : marlune().operations())
        negativeMinimum = negativeMinimum || (op.valueType == ValueType::Pot && op.rangeMin < 0);
    EXPECT_TRUE(negativeMinimum);
}

} // namespace
