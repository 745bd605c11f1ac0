// Why a file was not loaded. Loaders return it where they used to return a
// Boolean, so `if (!loadVideowallFile(...))` reads as before, and a caller that
// wants to name the reason (mlctl's one-line message) asks for text(). The window
// keeps its silence where a file is to be ignored quietly.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>

namespace mlc {

class LoadStatus {
public:
    enum Reason : std::uint8_t {
        Loaded,
        Missing,    // no such file
        Unreadable, // it exists but cannot be opened or read
        WrongMagic, // not a file of this kind
        Truncated,  // it ends before what its header states
        TooLarge,   // more data than such a file can hold
    };

    constexpr LoadStatus(Reason reason = Loaded) : reason_(reason) {}
    constexpr explicit operator bool() const { return reason_ == Loaded; }
    constexpr Reason reason() const { return reason_; }

    // "missing", "unreadable", "not a file of this kind (wrong magic)", "truncated", "too large".
    const char* text() const {
        switch (reason_) {
        case Loaded:
            return "loaded";
        case Missing:
            return "missing";
        case Unreadable:
            return "unreadable";
        case WrongMagic:
            return "not a file of this kind (wrong magic)";
        case Truncated:
            return "truncated";
        case TooLarge:
            return "too large";
        }
        return "unreadable";
    }

private:
    Reason reason_;
};

// A loaded value, or nothing with the reason: std::optional with a status beside it.
template <typename T> class Loaded : public std::optional<T> {
public:
    Loaded(T value) : std::optional<T>(std::move(value)) {}
    Loaded(LoadStatus::Reason failure) : status_(failure) {}
    LoadStatus status() const { return status_; }

private:
    LoadStatus status_;
};

} // namespace mlc
