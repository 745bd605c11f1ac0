// Saving a user file: the overwrite question, then an atomic write.
#pragma once

#include "operator.h"

#include <cstdint>
#include <span>
#include <string>

namespace mlc {

inline constexpr const char* kOverwriteQuestion = "Destination file already exists.\r\nOverwrite?";
inline constexpr const char* kCannotReplaceMessage =
    "The file could not be replaced, possibly due to sharing violations, file attributes or not writable "
    "media.\r\nOperation aborted. Please solve the problem then try again";

// When the file exists, asks whether to overwrite it (any answer but Yes gives
// false) and shows the cannot-replace error when it could not be replaced. Then
// writes the bytes atomically: the old file stays whole until the new one is
// complete. A failed write returns false without a message.
bool saveWithOverwriteQuestion(Operator& op, const std::string& path, std::span<const std::uint8_t> bytes);

} // namespace mlc
