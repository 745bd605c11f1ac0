// The binding against the real plug-in, loaded with dlopen from the bin folder.
#include "binding/driver_binding.h"
#include "paths.h"
#include "scoped_env.h"
#include "scripted_operator.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace mlc;

namespace {

class RealPlugin : public ::testing::Test {
protected:
    void TearDown() override {
        binding.CloseHardwarePort();
        binding.UnloadDriverLibrary();
    }
    testsupport::TempDir dir;
    testsupport::ScopedEnv definitions{"LVDRIVER_DEFINITIONS", testsupport::binPath("mlcenter.PGC")};
    testsupport::ScopedEnv ports{"LVDRIVER_PORTS", dir.file("no-such-port")};
    DriverBinding binding;
    testsupport::ScriptedOperator op;
};

} // namespace

TEST_F(RealPlugin, LoadsFromTheProgramsFolderOnceAndUnloads) {
    ASSERT_TRUE(binding.LoadDriverLibrary()) << binding.LoadError();
    EXPECT_TRUE(binding.IsLoaded());
    EXPECT_FALSE(binding.LoadDriverLibrary());
    EXPECT_FALSE(binding.LoadDriverLibrary(testsupport::binPath(mlc::kDriverFileName)));
    EXPECT_TRUE(binding.IsLoaded());
    EXPECT_EQ(binding.SetTestMode(true), 0);
    EXPECT_EQ(binding.SetAnswerWait(true), 0);
    EXPECT_TRUE(binding.UnloadDriverLibrary());
    EXPECT_FALSE(binding.UnloadDriverLibrary());
    EXPECT_EQ(binding.SetTestMode(false), kDriverNotLoaded);
}

TEST_F(RealPlugin, PortFailuresShowThePluginsOwnMessage) {
    ASSERT_TRUE(binding.LoadDriverLibrary(testsupport::binPath(mlc::kDriverFileName))) << binding.LoadError();
    EXPECT_EQ(binding.PortCount(), 1u);
    const std::uint8_t opened = binding.OpenHardwarePort(1);
    EXPECT_EQ(opened, LV_RESULT_CANNOT_OPEN_PORT);
    const std::string message = binding.LastErrorText();
    EXPECT_FALSE(message.empty());
    EXPECT_TRUE(binding.ShowDriverResult(op, opened));
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].text, "ERROR ($01): Cannot open communication port\r\n" + message);

    const std::uint8_t closed = binding.CloseHardwarePort();
    EXPECT_EQ(closed, LV_RESULT_PORT_ALREADY_CLOSED);
    EXPECT_EQ(binding.LastErrorText(), "");
    EXPECT_TRUE(binding.ShowDriverResult(op, closed));
    EXPECT_EQ(op.messages.back().text, "ERROR ($04): Communication port already closed");
}
