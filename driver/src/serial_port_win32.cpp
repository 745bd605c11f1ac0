// The serial port on Windows: the communications interface with overlapped
// transfers, each started and then waited for without limit; the port's own
// time-outs end a transfer that gets no data.
#include "serial_port.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include <windows.h>

namespace lv {
namespace {

constexpr DWORD kInputBufferSize = 65536;

// COMMTIMEOUTS fields are milliseconds; a field of 0 switches that time-out off,
// so a scaled-down time-out never becomes 0.
DWORD milliseconds(long long ms) {
    return static_cast<DWORD>(std::clamp<long long>(ms, 1, std::numeric_limits<DWORD>::max() - 1));
}

// An event for one transfer, closed with it.
class TransferEvent {
public:
    TransferEvent() : event_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~TransferEvent() {
        if (event_)
            ::CloseHandle(event_);
    }
    TransferEvent(const TransferEvent&) = delete;
    TransferEvent& operator=(const TransferEvent&) = delete;
    HANDLE get() const { return event_; }

private:
    HANDLE event_;
};

class Win32SerialPort final : public SerialPort {
public:
    ~Win32SerialPort() override {
        if (handle_ != INVALID_HANDLE_VALUE)
            release();
    }

    void open(const std::string& devicePath, const LineTimeouts& timeouts) override {
        if (handle_ != INVALID_HANDLE_VALUE)
            close();
        // No sharing: a port another program holds fails to open.
        const HANDLE handle = ::CreateFileA(devicePath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            throw SerialPortError(SerialErrorCode::Open, static_cast<int>(::GetLastError()),
                                  " " + devicePath);
        handle_ = handle;
        try {
            configure(timeouts);
        } catch (...) {
            release();
            throw;
        }
    }

    void close() override {
        if (handle_ == INVALID_HANDLE_VALUE)
            return;
        // Every transfer is waited for, so none is pending but a read's; what was
        // written still leaves the output buffer (a wall write ends with a
        // broadcast nobody acknowledges, and the port may be closed right after
        // it). No PURGE_TXABORT: Wine carries it out by discarding the output
        // buffer, as PURGE_TXCLEAR does.
        ::FlushFileBuffers(handle_);
        if (!::PurgeComm(handle_, PURGE_RXABORT | PURGE_RXCLEAR))
            throw SerialPortError(SerialErrorCode::Purge, static_cast<int>(::GetLastError()));
        release();
    }

    bool isOpen() const override { return handle_ != INVALID_HANDLE_VALUE; }

    std::size_t write(const std::uint8_t* data, std::size_t n) override {
        return transfer(SerialErrorCode::Write, const_cast<std::uint8_t*>(data), n);
    }

    std::size_t read(std::uint8_t* data, std::size_t n) override {
        const std::size_t done = transfer(SerialErrorCode::Read, data, n);
        DWORD errors = 0;
        COMSTAT status{};
        if (!::ClearCommError(handle_, &errors, &status))
            throw SerialPortError(SerialErrorCode::LineStatus, static_cast<int>(::GetLastError()));
        return done;
    }

    void purgeReceive() override {
        // On a closed port this fails with error 6 (invalid handle), the error
        // every exchange on a closed port reports.
        if (!::PurgeComm(handle_, PURGE_RXCLEAR))
            throw SerialPortError(SerialErrorCode::Purge, static_cast<int>(::GetLastError()));
    }

private:
    void configure(const LineTimeouts& timeouts) {
        if (!::SetupComm(handle_, kInputBufferSize, 0))
            throw SerialPortError(SerialErrorCode::BufferSizes, static_cast<int>(::GetLastError()));

        DCB line{};
        line.DCBlength = sizeof line;
        line.BaudRate = CBR_19200;
        line.ByteSize = 8;
        line.Parity = NOPARITY;
        line.StopBits = ONESTOPBIT;
        line.fBinary = TRUE;
        line.fDtrControl = DTR_CONTROL_DISABLE;
        line.fRtsControl = RTS_CONTROL_DISABLE;
        line.XonChar = 17;
        line.XoffChar = 19;
        line.XonLim = kInputBufferSize / 4;
        line.XoffLim = kInputBufferSize / 4;
        // Everything else stays off: parity checking, CTS/DSR flow control, DSR
        // sensitivity, XON/XOFF, error replacement, NUL discarding, abort on error.
        if (!::SetCommState(handle_, &line))
            throw SerialPortError(SerialErrorCode::LineSettings, static_cast<int>(::GetLastError()));

        const long long perByte = timeouts.readTotalMs(1) - timeouts.readTotalMs(0);
        COMMTIMEOUTS limits{};
        limits.ReadIntervalTimeout = milliseconds(timeouts.readIntervalMs());
        limits.ReadTotalTimeoutMultiplier = milliseconds(perByte);
        limits.ReadTotalTimeoutConstant = milliseconds(timeouts.readTotalMs(0));
        limits.WriteTotalTimeoutMultiplier =
            milliseconds(timeouts.writeTotalMs(1) - timeouts.writeTotalMs(0));
        limits.WriteTotalTimeoutConstant = milliseconds(timeouts.writeTotalMs(0));
        if (!::SetCommTimeouts(handle_, &limits))
            throw SerialPortError(SerialErrorCode::Timeouts, static_cast<int>(::GetLastError()));
    }

    // One overlapped read or write, waited for until the port completes it.
    std::size_t transfer(SerialErrorCode failure, std::uint8_t* data, std::size_t n) {
        if (handle_ == INVALID_HANDLE_VALUE)
            throw SerialPortError(failure, ERROR_INVALID_HANDLE);
        const TransferEvent event;
        OVERLAPPED overlapped{};
        overlapped.hEvent = event.get();
        const DWORD size = static_cast<DWORD>(std::min<std::size_t>(n, std::numeric_limits<DWORD>::max()));
        DWORD done = 0;
        const BOOL started = failure == SerialErrorCode::Read
                                 ? ::ReadFile(handle_, data, size, nullptr, &overlapped)
                                 : ::WriteFile(handle_, data, size, nullptr, &overlapped);
        if (!started && ::GetLastError() != ERROR_IO_PENDING)
            throw SerialPortError(failure, static_cast<int>(::GetLastError()));
        if (!::GetOverlappedResult(handle_, &overlapped, &done, TRUE)) {
            // Windows completes a transfer whose time-outs ran out with the bytes
            // moved so far; Wine reports the same completion as ERROR_TIMEOUT.
            const DWORD error = ::GetLastError();
            if (error != ERROR_TIMEOUT)
                throw SerialPortError(failure, static_cast<int>(error));
        }
        return done;
    }

    void release() {
        ::CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

} // namespace

std::string systemErrorText(int systemError) {
    char text[48];
    std::snprintf(text, sizeof text, "win error code: %d", systemError);
    return text;
}

std::unique_ptr<SerialPort> createSerialPort() {
    return std::make_unique<Win32SerialPort>();
}

} // namespace lv
