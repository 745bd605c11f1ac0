// Ports on Windows without LVDRIVER_PORTS: the registry's serial port list gives
// the highest port number as the count, and port n is COMn.
#include "driver_fixture.h"
#include "test_timeouts.h"

#include <windows.h>

#include <cstring>

namespace drivertest {
namespace {

// A port the system lists while it lives, as a USB adapter's driver adds one.
class ListedPort {
public:
    explicit ListedPort(const char* name) {
        ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_SET_VALUE, &key_);
        ::RegSetValueExA(key_, kValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(name),
                         static_cast<DWORD>(std::strlen(name) + 1));
    }
    ~ListedPort() {
        ::RegDeleteValueA(key_, kValue);
        ::RegCloseKey(key_);
    }
    ListedPort(const ListedPort&) = delete;
    ListedPort& operator=(const ListedPort&) = delete;

private:
    static constexpr const char* kValue = "\\Device\\MarluneTestSerial";
    HKEY key_ = nullptr;
};

std::uint32_t reportedPortCount(testsupport::PluginLibrary& plugin) {
    PluginInfo info{};
    LvCell cell = reinterpret_cast<LvCell>(&info);
    EXPECT_EQ(plugin.getPluginSupportInfo(&cell), LV_RESULT_OK);
    return info.portCount;
}

TEST(PortListWin32, TheRegistryCountsThePortsAndPortNIsComN) {
    testsupport::PtyPeer peer; // a COM port of the Wine prefix, mapped by its registry
    ScopedEnv unset("LVDRIVER_PORTS", nullptr);
    ScopedEnv definitions("LVDRIVER_DEFINITIONS", "");
    ScopedEnv scale("LVDRIVER_TIMEOUT_SCALE", testsupport::timeoutScale(0.1));
    testsupport::PluginLibrary plugin;

    const std::uint32_t listed = reportedPortCount(plugin);
    ASSERT_GE(listed, 8u) << "the test prefix maps COM1 to COM8";
    ASSERT_LT(listed, 42u);
    {
        // An adapter numbered above the others: every number up to it is offered.
        ListedPort adapter("COM42");
        EXPECT_EQ(reportedPortCount(plugin), 42u);
    }
    EXPECT_EQ(reportedPortCount(plugin), listed);

    const unsigned number = static_cast<unsigned>(std::stoul(peer.path().substr(3)));
    ASSERT_EQ(plugin.openHardwarePort(number), LV_RESULT_OK) << plugin.lastErrorText();
    peer.replyNext(Bytes{LV_LINK_ACK});
    auto packet = makePacket(LV_PACKET_TYPE_DETECT, {6, 0, 0, 0, 0});
    EXPECT_EQ(plugin.sendPacket(packet.get()), LV_LINK_ACK);
    EXPECT_EQ(peer.packets(1).size(), 1u);
    ASSERT_EQ(plugin.closeHardwarePort(), LV_RESULT_OK);

    // Beyond the list is no error of the list: the system has no such port.
    EXPECT_EQ(plugin.openHardwarePort(42), LV_RESULT_CANNOT_OPEN_PORT);
    EXPECT_EQ(plugin.lastErrorText().rfind("Unable to open com port \\\\.\\COM42 (win error code: ", 0), 0u)
        << plugin.lastErrorText();
}

} // namespace
} // namespace drivertest
