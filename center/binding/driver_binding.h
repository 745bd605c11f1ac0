// The control program's binding to the driver plug-in: loading it, calling its
// commands by name with parameter cells, selecting devices and loading match lists.
//
// While no plug-in is loaded nothing calls into it: every call returns
// kDriverNotLoaded (7, "Uninitialized pointer", the code the interface keeps for
// hosts) without doing anything. The wrappers never show messages; callers pass
// results to ShowDriverResult.
#pragma once

#include "binding/exchange_gate.h"
#include "binding/shared_library.h"
#include "lvdriver.h"
#include "operator.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace mlc {

inline constexpr std::uint8_t kDriverNotLoaded = LV_RESULT_UNINITIALIZED_POINTER;

// The plug-in's exports; GetLastErrorText may be missing.
struct DriverExports {
    GetPluginSupportInfoFn GetPluginSupportInfo = nullptr;
    OpenHardwarePortFn OpenHardwarePort = nullptr;
    CloseHardwarePortFn CloseHardwarePort = nullptr;
    ExecutePluginFunctionByNumberFn ExecutePluginFunctionByNumber = nullptr;
    ExecutePluginFunctionByNameFn ExecutePluginFunctionByName = nullptr;
    SendPacketFn SendPacket = nullptr;
    GetLastErrorTextFn GetLastErrorText = nullptr;
};

class DriverBinding {
public:
    DriverBinding() = default;
    DriverBinding(const DriverBinding&) = delete;
    DriverBinding& operator=(const DriverBinding&) = delete;

    // Loads LVDRIVER.so from the program's own folder. True when it loaded the
    // library now; false when one is already loaded (nothing changes) or loading
    // failed (then LoadError() says why).
    bool LoadDriverLibrary();
    // The same with an explicit file (tests, tools).
    bool LoadDriverLibrary(const std::string& path);
    // True when a loaded library was freed.
    bool UnloadDriverLibrary();
    // Binds exports that live in the process already, as if a library had been
    // loaded (tests use it to watch the calls). False when one is bound already or
    // one of the six exports is missing.
    bool BindExports(const DriverExports& exports);
    bool IsLoaded() const { return exports_.ExecutePluginFunctionByName != nullptr; }
    // The bound exports (all null while nothing is loaded), for callers that test
    // the plug-in's interface itself.
    const DriverExports& exports() const { return exports_; }
    const std::string& LoadError() const { return loadError_; }
    // Shows the one message about a plug-in that could not be loaded; the program
    // then goes on without devices.
    void ReportLoadFailure(Operator& op) const;

    // The plain exports.
    std::uint8_t OpenHardwarePort(std::uint32_t port);
    std::uint8_t CloseHardwarePort();
    // Number of serial ports the plug-in lists (0 without a plug-in).
    std::uint32_t PortCount();
    // Sends a packet the caller built completely; the link result, or 255 without a plug-in.
    std::uint32_t SendPacket(Packet& packet);
    // The plug-in's message about the last serial-port failure, trimmed; empty when
    // it has none or offers no such export.
    std::string LastErrorText();

    // Wrappers, each one ExecutePluginFunctionByName call. An empty target is
    // passed as a null address.
    std::uint8_t SendEventByName(const std::string& name);
    std::uint8_t SetOperationPercent(const std::string& op, const std::string& target, std::int32_t percent);
    std::uint8_t SetOperationIdentifier(const std::string& op, const std::string& target,
                                        const std::string& value);
    // percent receives the P3 cell whatever the result (0 when the plug-in wrote nothing).
    std::uint8_t GetOperationPercent(const std::string& op, const std::string& target, std::int32_t& percent);
    // text receives the code read, trimmed.
    std::uint8_t GetOperationIdentifier(const std::string& op, const std::string& target, std::string& text);
    std::uint8_t ExecuteOperation(const std::string& op, const std::string& target);
    std::uint8_t SetAnswerWait(bool wait);
    std::uint8_t GetMatchListCount(const std::string& list, std::uint32_t& count);
    std::uint8_t GetMatchListEntry(const std::string& list, std::uint32_t index, std::string& code,
                                   std::string& description);
    std::uint8_t SetTestMode(bool on);
    // The added command SetRangeCacheStatus: the plug-in remembers each unit's
    // ranges while on; every call makes it forget what it holds. A plug-in without
    // the command answers 6 and goes on asking the units.
    std::uint8_t SetRangeCacheStatus(bool on);
    // The added command SetTrafficTap: the plug-in hands every packet, decoded, to
    // tap (null stops it) within the call that exchanges it. A plug-in without the
    // command answers 6.
    std::uint8_t SetTrafficTap(LvTrafficTap tap, void* context);

    // Addresses the units: id 0 selects all of them and stops waiting for answers.
    std::uint8_t SelectDevice(std::uint8_t id);

    // Fills codes and descriptions with a match list's items, leaving out every
    // code named in the comma-separated exclude text. The test is a plain substring
    // search of "CODE," in the upper-cased exclude text, so a code that ends an
    // excluded one (B when AB is excluded) is left out too.
    std::uint8_t LoadMatchList(std::vector<std::string>& codes, std::vector<std::string>& descriptions,
                               const std::string& list, const std::string& exclude);

    // Passes a result to ShowDriverResult, adding the plug-in's own message (from
    // its GetLastErrorText export) to a port failure: codes 1, 2 and 5. Without a
    // message the box holds the standard text alone.
    bool ShowDriverResult(Operator& op, std::uint8_t code, bool showSuccess = false);
    // The message ShowDriverResult shows for a result, without showing it (empty
    // for a success).
    std::string ResultMessage(std::uint8_t code, bool showSuccess = false);
    // The last result passed to either was a failure of the serial port itself,
    // which the plug-in describes in a message of its own (a port that would not
    // open, a line that failed or hung up during an exchange), not of a unit.
    bool PortFailed() const { return portFailed_; }

    // Shared by everything that talks to the units; see exchange_gate.h.
    ExchangeGate& Exchanges() { return exchanges_; }
    const ExchangeGate& Exchanges() const { return exchanges_; }

private:
    using Cells = std::array<LvCell, 4>;
    std::uint8_t call(const char* command, Cells& cells);
    std::uint8_t call(const char* command, LvCell p1, LvCell p2, LvCell p3, LvCell p4);
    bool bind(const DriverExports& exports, const std::string& origin);

    SharedLibrary library_;
    std::string loadError_;
    DriverExports exports_;
    ExchangeGate exchanges_;
    bool portFailed_ = false;
};

// "envNotEnabled", "envEnable", "env02".."env09", "env10".."env255".
std::string DeviceSelectionIdentifier(std::uint8_t id);

} // namespace mlc
