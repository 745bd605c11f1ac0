// Ports on Windows without LVDRIVER_PORTS: the registry's serial port list gives
// the count, and port n is COMn.
#include "driver_fixture.h"
#include "test_timeouts.h"

#include <windows.h>

namespace drivertest {
namespace {

std::size_t registryPortCount() {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return 0;
    DWORD values = 0;
    ::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                       nullptr, nullptr);
    ::RegCloseKey(key);
    return values;
}

TEST(PortListWin32, TheRegistryCountsThePortsAndPortNIsComN) {
    testsupport::PtyPeer peer; // a COM port of the Wine prefix, mapped by its registry
    ScopedEnv unset("LVDRIVER_PORTS", nullptr);
    ScopedEnv definitions("LVDRIVER_DEFINITIONS", "");
    ScopedEnv scale("LVDRIVER_TIMEOUT_SCALE", testsupport::timeoutScale(0.1));
    testsupport::PluginLibrary plugin;

    PluginInfo info{};
    LvCell cell = reinterpret_cast<LvCell>(&info);
    ASSERT_EQ(plugin.getPluginSupportInfo(&cell), LV_RESULT_OK);
    EXPECT_GE(info.portCount, 8u) << "the test prefix maps COM1 to COM8";
    EXPECT_EQ(info.portCount, registryPortCount());

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
