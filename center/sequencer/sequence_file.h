// The sequence file: every timeline item behind a small header.
//
// Layout: "MLSF", a signed 32-bit item count, then per item a signed 32-bit record
// length (43272, or 0 for an empty slot) and the 43272-byte record: hours,
// minutes, seconds, time mode, 4 zero bytes, 256 monitor records column by column,
// a name length byte and 255 name bytes.
//
// Reading: a record longer than 43272 bytes refuses the whole file; a shorter one
// fills the start of a new item; a length of 0 or less adds nothing. When the data
// ends before the announced number of records, the read ends there: the complete
// records read so far are the sequence and a record cut off by the end is dropped.
#pragma once

#include "files/load_status.h"
#include "operator.h"
#include "sequencer/sequence_item.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace mlc {

inline constexpr std::size_t kSequenceHeaderSize = 8;

void encodeSequenceItem(const TSequenceItem& item, std::uint8_t* out); // 43272 bytes
// Fills `item` from the first `available` bytes of a record (at most 43272 are
// looked at); the rest keeps what the item held.
void decodeSequenceItemPrefix(const std::uint8_t* in, std::size_t available, TSequenceItem& item);

std::vector<std::uint8_t> encodeSequence(const SequenceItems& items);
// Nothing when the file is refused: WrongMagic, Truncated (no count), TooLarge (a
// record too long).
Loaded<SequenceItems> decodeSequence(std::span<const std::uint8_t> file);

// With the overwrite question and an atomic write.
bool saveSequenceFile(Operator& op, const std::string& path, const SequenceItems& items);
Loaded<SequenceItems> loadSequenceFile(const std::string& path);

} // namespace mlc
