// The serial line the plug-in owns: one port, opened by device path, used
// synchronously from the caller's thread. Platform code lives in
// serial_port_<platform>.cpp behind this interface.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace lv {

// Failure codes of the port layer; the message texts are fixed (see below).
enum class SerialErrorCode : int {
    Open = 1,
    Write = 2,
    Read = 3,
    Purge = 5,
    LineSettings = 7,
    Timeouts = 8,
    BufferSizes = 9,
    LineStatus = 10,
};

// Raised by the port layer. The message is the fixed text of the code, then what
// the failure concerns (a device path, " /dev/ttyUSB0", or a reason, ": the line
// hung up"), then the system's error in its own words when there is one:
// "Unable to open com port /dev/ttyUSB0 (errno 2: No such file or directory)".
class SerialPortError : public std::runtime_error {
public:
    SerialPortError(SerialErrorCode code, int systemError, const std::string& context = {});
    SerialPortError(SerialErrorCode code, const std::string& context);
    explicit SerialPortError(SerialErrorCode code);
    SerialErrorCode code() const { return code_; }

private:
    SerialErrorCode code_;
};

const char* serialErrorText(SerialErrorCode code);

// The system's error number in the platform's form: "errno 9: Bad file
// descriptor" on POSIX systems, "win error code: 9" on Windows.
std::string systemErrorText(int systemError);

// Multiplies every time-out; 1 in the product, smaller in tests against a
// pseudo-terminal so that long probes run fast.
struct TimeoutScale {
    double factor = 1.0;
    static TimeoutScale fromEnvironment(); // LVDRIVER_TIMEOUT_SCALE
};

// The fixed time-outs of the line, in milliseconds, for a transfer of n bytes.
struct LineTimeouts {
    static constexpr int kReadIntervalMs = 200;
    static constexpr int kReadTotalBaseMs = 1000;
    static constexpr int kReadTotalPerByteMs = 200;
    static constexpr int kWriteTotalBaseMs = 1000;
    static constexpr int kWriteTotalPerByteMs = 100;

    TimeoutScale scale;
    long long readTotalMs(std::size_t n) const;
    long long readIntervalMs() const;
    long long writeTotalMs(std::size_t n) const;
};

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens the device exclusively with 19200 baud, 8N1, no flow control, DTR and
    // RTS inactive. Throws SerialPortError (code Open when missing or in use).
    virtual void open(const std::string& devicePath, const LineTimeouts& timeouts) = 0;
    // Throws SerialPortError (code Purge) when pending transfers cannot be aborted.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Blocks until all n bytes are written or the write time-out runs out;
    // returns the count written. Throws on a system failure (also when closed).
    virtual std::size_t write(const std::uint8_t* data, std::size_t n) = 0;
    // Blocks until n bytes arrived, the total time-out ran out, or the line was
    // silent for the interval time-out after a byte; returns the count read.
    virtual std::size_t read(std::uint8_t* data, std::size_t n) = 0;
    // Discards what was received and not yet read.
    virtual void purgeReceive() = 0;
};

std::unique_ptr<SerialPort> createSerialPort();

// The port count the plug-in reports: ports 1 to this number are offered and
// detected. The length of LVDRIVER_PORTS, else the platform's count.
std::size_t serialPortCount();
// The device that port `number` ("COMn") opens. Throws SerialPortError (code
// Open) when there is none, saying why.
std::string portDevicePath(unsigned number);

// The platform's part (port_list_<platform>.cpp): the system's own list; the
// device of port n when the platform names it without the list ("" when port n
// is entry n of the list); the device an entry of LVDRIVER_PORTS names.
std::vector<std::string> systemSerialPorts();
std::size_t systemPortCount();
// What separates the entries of LVDRIVER_PORTS: ':' as in PATH, ';' on Windows.
extern const char kPortListSeparator;
std::string systemPortDevice(unsigned number);
std::string portEntryDevice(const std::string& entry);

} // namespace lv
