#include "binding/driver_binding.h"
#include "paths.h"
#include "scripted_operator.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace mlc;

TEST(DriverLoading, AMissingLibraryIsNeverCalledAndReportedOnce) {
    testsupport::TempDir dir;
    DriverBinding binding;
    EXPECT_FALSE(binding.LoadDriverLibrary(dir.file(mlc::kDriverFileName)));
    EXPECT_FALSE(binding.IsLoaded());
    EXPECT_FALSE(binding.LoadError().empty());

    // Every call answers "not loaded" without reaching a library.
    std::int32_t percent = 42;
    std::string text = "x";
    std::uint32_t count = 9;
    EXPECT_EQ(binding.SelectDevice(3), kDriverNotLoaded);
    EXPECT_EQ(binding.GetOperationPercent("op_BRIGHTNESS", "wnWIN_MAIN", percent), kDriverNotLoaded);
    EXPECT_EQ(binding.GetMatchListCount("mInputSources", count), kDriverNotLoaded);
    EXPECT_EQ(binding.OpenHardwarePort(1), kDriverNotLoaded);
    EXPECT_EQ(binding.CloseHardwarePort(), kDriverNotLoaded);
    EXPECT_EQ(binding.PortCount(), 0u);
    EXPECT_EQ(binding.LastErrorText(), "");
    std::vector<std::string> codes{"old"}, names{"old"};
    EXPECT_EQ(binding.LoadMatchList(codes, names, "mInputSources", ""), 0);
    EXPECT_TRUE(codes.empty());
    EXPECT_FALSE(binding.UnloadDriverLibrary());

    testsupport::ScriptedOperator op;
    binding.ReportLoadFailure(op);
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].kind, MessageKind::Error);
    EXPECT_NE(op.messages[0].text.find(binding.LoadError()), std::string::npos);
}

TEST(DriverLoading, ALibraryWithoutThePluginExportsIsRefused) {
    // The router library loads fine but is no plug-in.
    DriverBinding binding;
    EXPECT_FALSE(binding.LoadDriverLibrary(testsupport::binPath(MARLUNE_ROUTER_FILE)));
    EXPECT_FALSE(binding.IsLoaded());
    EXPECT_NE(binding.LoadError().find("GetPluginSupportInfo"), std::string::npos);
    std::string code, description;
    EXPECT_EQ(binding.GetMatchListEntry("mInputSources", 0, code, description), kDriverNotLoaded);
}

TEST(DriverLoading, TheDefaultPlaceIsBesideTheProgram) {
    // The test program lives in the bin folder, as mlcenter does.
    EXPECT_EQ(std::filesystem::path(ProgramDirectory()), std::filesystem::path(testsupport::binDir()));
}
