// TSkinReader: unpacks a skin file and hands out the entries of its archive (the bitmaps and the
// one INI description) by exact name or by name fragment.
//
// Archive layout (little-endian): version code, name-list length NL, 8 reserved bytes, an extra
// block whose size depends on the version, NL bytes of CR LF separated names, one signed 32-bit
// size per name, then the entries' data back to back in name order.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

inline constexpr const char* kOlderSkinMessage =
    "This is Older Skin File\rPlease update to new version !";

// Receives the messages the skin readers show the user (an information box in the program).
// Nothing is shown until a handler is installed.
using SkinMessageHandler = std::function<void(const std::string& text)>;

// Installs `handler` (an empty one shows nothing) and returns the previous one.
SkinMessageHandler SetSkinMessageHandler(SkinMessageHandler handler);

class TSkinReader {
public:
  static constexpr std::int32_t kMaxEntries = 1001;

  // Bytes skipped after the 16-byte header for an archive version; -1 for versions not read.
  static int ExtraHeaderBytes(std::int32_t version);

  // Unpacks `skinFile` and reads its archive. On failure returns false and keeps the previous
  // directory: an unknown version shows kOlderSkinMessage; an unpacked size that is out of range,
  // a file too short for its size field, a bit stream cut short of the unpacked size (its tail
  // would be garbage) and more than kMaxEntries names are refused silently (FailureReason()
  // tells which).
  bool LoadFromStream(std::span<const std::uint8_t> skinFile);
  // The same for an archive that is already unpacked.
  bool LoadFromArchive(std::span<const std::uint8_t> archive);

  // Replaces `target` with the unpacked archive of `source`; false for a bit stream cut short.
  // Throws ElzhException as UnpackSkinFile does.
  static bool Unpack(std::span<const std::uint8_t> source, std::vector<std::uint8_t>& target);

  // Replaces `target` with the first entry named `name` (compared without regard to case), or
  // leaves it empty.
  void ReadEntry(std::string_view name, std::vector<std::uint8_t>& target) const;

  // Replaces `target` with the first entry whose lower-case name contains `fragment` (case
  // matters, so only lower-case fragments match) and sets `fullName` to that name; when none
  // does, `target` is empty and `fullName` unchanged.
  void FindEntry(std::string_view fragment, std::vector<std::uint8_t>& target,
                 std::string& fullName) const;

  std::int32_t Version() const { return FVersion; }
  std::int32_t Count() const { return static_cast<std::int32_t>(FEntries.size()); }
  // Entry names, lower-cased, in archive order.
  const std::string& Name(std::int32_t index) const { return FEntries[index].name; }
  // The size the directory declares, which a damaged archive may not hold.
  std::int32_t DeclaredSize(std::int32_t index) const { return FEntries[index].declaredSize; }
  // The entry's bytes as far as the archive holds them; empty for a negative size.
  std::span<const std::uint8_t> EntryBytes(std::int32_t index) const;

  // Why the last load failed; empty after a successful one.
  const std::string& FailureReason() const { return FFailure; }

private:
  struct Entry {
    std::string name;
    std::int32_t declaredSize = 0;
    std::int64_t offset = 0; // within FData
  };

  bool Fail(std::string reason);
  void CopyEntry(const Entry& entry, std::vector<std::uint8_t>& target) const;

  std::int32_t FVersion = 0;
  std::vector<Entry> FEntries;
  std::vector<std::uint8_t> FData;
  std::string FFailure;
};

} // namespace skin
