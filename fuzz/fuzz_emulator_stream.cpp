// What a host sends the emulated units is untrusted: any byte stream, cut into any
// chunks and spread over any time, must be handled without a crash, and the bytes
// held for a partial packet and for unsent answers must stay bounded.
#include "chain.h"
#include "pgc_writer.h"
#include "session.h"
#include "unit_catalog.h"

#include <cstdlib>

namespace {

lv::Definitions definitions() {
    using R = lv::PgcRecord;
    std::vector<R> records = {
        R{1, {"", "op_IP_MISC_DEVICESELECTION", "1", "VALUE", "", "mDev", "mMode"}},
        R{1, {"", "op_IP_MISC_SETQUEUE", "2", "EXECUTE", ""}},
        R{1, {"", "op_IP_MISC_EXECUTEQUEUE", "3", "EXECUTE", ""}},
        R{1, {"", "op_IP_LCRST_USERPARMSET", "4", "VALUE", "", "mMem"}},
        R{1, {"", "op_IP_LCRST_SAVEUSERPARMSET", "5", "EXECUTE", ""}},
        R{1, {"", "op_IP_LCRST_RESTOREUSERSET", "6", "EXECUTE", ""}},
        R{1, {"", "op_DATA_MANAGER_RESET", "7", "EXECUTE", ""}},
        R{1, {"", "op_IP_MISC_RESET", "8", "EXECUTE", ""}},
        R{1, {"", "op_A", "9", "POT", "", "-2147483648", "2147483647", "mMode"}},
        R{1, {"", "op_B", "10", "VALUE", "", "mMem"}},
        R{1, {"", "op_C", "11", "TOGGLE", ""}},
        R{2, {"mMode", "", "slmIMMEXCLUSIVE", "0"}},
        R{2, {"mDev", "", "envEnable", "1"}},
        R{2, {"mMem", "", "gc16CHANNEL1", "0"}},
        R{2, {"mMem", "", "gc16CHANNEL16", "15"}},
        R{3, {"", "5", "BOOLEAN", "varX"}},
        R{5, {"", "", "veX", "100"}},
    };
    const lv::PgcEncoding encoded = lv::encodePgcFile(0x5A, records);
    return lv::Definitions::fromBytes(encoded.bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const mlemu::UnitCatalog catalog(definitions());
    mlemu::Chain chain(catalog, {1, 2, 3});
    mlemu::TrafficLog log;
    mlemu::SessionOptions options;
    options.baud = size > 0 && (data[0] & 1) ? 19200 : 0;
    std::string error;
    if (size > 1 && (data[1] & 1))
        options.faults.push_back(*mlemu::parseFault("garbage,p=0.5", error));
    if (size > 1 && (data[1] & 2))
        options.faults.push_back(*mlemu::parseFault("late,p=0.3,delay=0.05", error));
    auto now = mlemu::Session::Clock::time_point{};
    mlemu::Session session(catalog, chain, log, options, now);
    // Each control byte picks a chunk length and a pause before the next chunk.
    std::size_t at = 2;
    while (at < size) {
        const std::uint8_t control = data[at++];
        const std::size_t length = std::min<std::size_t>(size - at, (control & 0x0F) * 7 + 1);
        session.receive(std::span(data + at, length), now);
        at += length;
        now += std::chrono::milliseconds((control >> 4) * 15);
        session.advance(now);
        session.takeOutput(now);
    }
    // Ten seconds settle everything: a packet given up then may still be answered,
    // so a second step collects that answer.
    for (int step = 0; step < 2; ++step) {
        now += std::chrono::seconds(10);
        session.advance(now);
        session.takeOutput(now);
    }
    if (session.nextWake())
        std::abort(); // everything due has been handed out, nothing is stuck
    return 0;
}
