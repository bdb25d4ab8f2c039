// Room decisions of a recording: whether one more frame still fits on the target volume with
// enough left to close the file, whether it still fits in the current file below the AVI size
// limit, and the names of the follow-on files a recording continues in.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace recorder {

// AVI 1.0 files past 2 GB are not read by many players (sizes are signed 32-bit there).
inline constexpr std::uint64_t kAviFileSizeLimit = 0x7FFFFFFF;
// Kept free for what closing a file writes besides the index (headers, buffered data), and for
// the headers of a follow-on file.
inline constexpr std::uint64_t kCloseReserve = 64 * 1024;
// Chunk header of one sample plus its index entry; also paid for an empty slot.
inline constexpr std::uint64_t kBytesPerSlot = 8 + 16;

// Bytes one more frame of at most `frameBytes` costs in a file whose timeline holds
// `slotsInFile` slots after the frame, including the index written when the file is closed.
std::uint64_t BytesForFrame(std::uint32_t frameBytes, std::int64_t slotsInFile);

// There is room on the volume for the frame and for closing the file afterwards.
bool FitsOnVolume(std::uint64_t freeBytes, std::uint32_t frameBytes, std::int64_t slotsInFile);

// The file, `fileBytes` long so far, stays within `limit` with the frame and its index.
bool FitsInFile(std::uint64_t fileBytes, std::uint32_t frameBytes, std::int64_t slotsInFile,
                std::uint64_t limit);

// The free bytes of the target volume as `query` tells them. A query that fails is asked once
// more before the volume counts as unreachable: a network drive or a busy volume may fail one.
std::optional<std::uint64_t>
FreeBytesAskedTwice(const std::function<std::optional<std::uint64_t>()>& query);

// Name of part `part` (2, 3, ...) of a recording: "clip.avi" gives "clip-2.avi"; the number goes
// before the last extension of the file name, or at its end when it has none. Part 1 is the name.
std::wstring FollowOnName(const std::wstring& name, int part);

// The name of the follow-on file after part `part`: the next part number whose name no existing
// file has (`exists` tells), so that no file the user has is overwritten. Sets `part` to it.
std::wstring NextFollowOnName(const std::wstring& name, int& part,
                              const std::function<bool(const std::wstring&)>& exists);

// The folder part of a file name, up to and including the last backslash, slash or colon; empty
// when it has none.
std::wstring FolderOf(const std::wstring& name);

} // namespace recorder
