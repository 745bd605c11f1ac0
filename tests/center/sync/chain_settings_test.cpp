// The chain-wide settings commands and the remote's key table, against the fake
// plug-in (what is called, in which order) and the real one (names it knows).
#include "../fake/fake_plugin.h"
#include "dialogs/remote_keys.h"
#include "paths.h"
#include "scoped_env.h"
#include "scripted_operator.h"
#include "sync/chain_settings.h"
#include "wall/wall_state.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

using namespace mlc;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class ChainSettingsCalls : public ::testing::Test {
protected:
    void SetUp() override {
        fakeplugin::reset();
        ASSERT_TRUE(binding.BindExports(fakeplugin::exports()));
    }
    DriverBinding binding;
    testsupport::ScriptedOperator op;
    WallModel model;
    ChainSettings chain{model, binding, op};
};

} // namespace

TEST_F(ChainSettingsCalls, EachSelectsAllUnitsThenSendsInOrderWhateverTheResults) {
    fakeplugin::script().failures["SendOpExecute op_DATA_MANAGER_RESET -"] = LV_RESULT_IO_ERROR;
    SetAllSynced(model, true);
    EXPECT_TRUE(chain.FactoryReset());
    EXPECT_FALSE(IsWallSynced(model)) << "the units no longer hold what the wall last sent";
    EXPECT_TRUE(chain.SetOutputResolution("od1080P60"));
    EXPECT_TRUE(chain.SetLanguage("lgGERMAN"));
    const char* noWait = "SetAnswerRxStatus 0";
    const char* selectAll = "SendOpSetValue op_IP_MISC_DEVICESELECTION slmIMMEXCLUSIVE envNotEnabled";
    EXPECT_THAT(fakeplugin::script().calls,
                ElementsAre(noWait, selectAll, "SendOpExecute op_DATA_MANAGER_RESET -",
                            "SendOpExecute op_IP_MISC_RESET -", noWait, selectAll,
                            "SendOpSetValue op_PANEL_SELECT - od1080P60",
                            "SendOpExecute op_IP_MISC_RESET -", //
                            noWait, selectAll, "SendOpSetValue op_LANGUAGE - lgGERMAN",
                            "SendEvent veSETTINGS"));
    EXPECT_THAT(op.messages, IsEmpty());
}

TEST_F(ChainSettingsCalls, NothingIsSentWithoutAnIdentifierAndARefusalWhileAnotherExchangeRunsIsTold) {
    EXPECT_FALSE(chain.SetOutputResolution(""));
    EXPECT_FALSE(chain.SetLanguage(""));
    {
        auto running = binding.Exchanges().tryEnter();
        EXPECT_FALSE(chain.FactoryReset());
        EXPECT_FALSE(chain.SetOutputResolution("od1080P60"));
        EXPECT_FALSE(chain.SetLanguage("lgGERMAN"));
        EXPECT_FALSE(chain.SendVerticalPhase(1));
    }
    EXPECT_THAT(fakeplugin::script().calls, IsEmpty());
    EXPECT_FALSE(binding.Exchanges().busy());
    EXPECT_EQ(op.reportTexts(), std::vector<std::string>(4, kExchangeBusyMessage));
    EXPECT_TRUE(op.messages.empty());
}

TEST(RemoteKeys, EveryKeysEventIsOneTheDefinitionsKnow) {
    testsupport::ScopedEnv definitions("LVDRIVER_DEFINITIONS", testsupport::binPath("mlcenter.PGC"));
    DriverBinding binding;
    ASSERT_TRUE(binding.LoadDriverLibrary(testsupport::binPath(mlc::kDriverFileName))) << binding.LoadError();
    ASSERT_EQ(binding.SetTestMode(true), 0);
    for (int tag = 1; tag <= kRemoteKeyCount; ++tag) {
        const RemoteKey* key = RemoteKeyByTag(tag);
        ASSERT_NE(key, nullptr);
        EXPECT_EQ(key->tag, tag);
        EXPECT_EQ(binding.SendEventByName(key->event), LV_RESULT_DEVICE_OK) << key->event;
    }
    EXPECT_NE(binding.SendEventByName("veNO_SUCH_KEY"), LV_RESULT_DEVICE_OK);
    EXPECT_EQ(RemoteKeyByTag(0), nullptr);
    EXPECT_EQ(RemoteKeyByTag(36), nullptr);
    binding.UnloadDriverLibrary();
}
