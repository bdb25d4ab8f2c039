#include "skin/data/core/skin_reader.h"

#include "skin/data/core/lzh.h"
#include "skin/data/core/skin_stream.h"
#include "skin/data/core/skin_text.h"

#include <algorithm>
#include <array>
#include <new>
#include <utility>

namespace skin {

namespace {

constexpr std::size_t kHeaderBytes = 16;

SkinMessageHandler& MessageHandler() {
  static SkinMessageHandler handler;
  return handler;
}

void ShowMessage(const std::string& text) {
  if (const auto& handler = MessageHandler()) handler(text);
}

// Names as a string list splits text: at CR, LF or CR LF, with no entry after a final break.
std::vector<std::string> SplitNames(std::string_view text) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    names.emplace_back(text.substr(start, end - start));
    start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
  }
  return names;
}

// Reads the archive front to back; a field cut off by the end of the data reads as zeros, so a
// damaged directory yields short or empty entries and never reads outside the archive.
class ArchiveCursor {
public:
  explicit ArchiveCursor(std::span<const std::uint8_t> bytes) : FBytes(bytes) {}

  std::span<const std::uint8_t> Take(std::size_t count) {
    count = std::min(count, FBytes.size() - FPos);
    const auto part = FBytes.subspan(FPos, count);
    FPos += count;
    return part;
  }

  std::int32_t TakeInt32() {
    std::array<std::uint8_t, 4> field{};
    const auto part = Take(field.size());
    std::copy(part.begin(), part.end(), field.begin());
    return ReadInt32LE(field.data());
  }

  std::span<const std::uint8_t> Rest() { return Take(FBytes.size() - FPos); }

private:
  std::span<const std::uint8_t> FBytes;
  std::size_t FPos = 0;
};

} // namespace

SkinMessageHandler SetSkinMessageHandler(SkinMessageHandler handler) {
  return std::exchange(MessageHandler(), std::move(handler));
}

int TSkinReader::ExtraHeaderBytes(std::int32_t version) {
  switch (version) {
  case 20000:
    return 0;
  case 30000:
    return 256;
  case 40000:
    return 80;
  case 50000:
    return 48;
  case 60000:
    return 117;
  case 70000:
    return 69;
  default:
    return -1;
  }
}

bool TSkinReader::Fail(std::string reason) {
  FFailure = std::move(reason);
  return false;
}

bool TSkinReader::Unpack(std::span<const std::uint8_t> source, std::vector<std::uint8_t>& target) {
  return UnpackSkinFile(source, target);
}

bool TSkinReader::LoadFromStream(std::span<const std::uint8_t> skinFile) {
  std::vector<std::uint8_t> archive;
  try {
    if (!Unpack(skinFile, archive)) return Fail("the bit stream ends before the unpacked size");
  } catch (const ElzhException& error) {
    return Fail(error.what());
  } catch (const std::bad_alloc&) {
    return Fail("out of memory while unpacking");
  }
  return LoadFromArchive(archive);
}

bool TSkinReader::LoadFromArchive(std::span<const std::uint8_t> archive) {
  ArchiveCursor cursor(archive);
  const std::int32_t version = cursor.TakeInt32();
  const std::int32_t nameListBytes = cursor.TakeInt32();
  cursor.Take(kHeaderBytes - 8); // reserved

  const int extra = ExtraHeaderBytes(version);
  if (extra < 0) {
    ShowMessage(kOlderSkinMessage);
    return Fail("archive version " + std::to_string(version) + " is not supported");
  }
  cursor.Take(static_cast<std::size_t>(extra));

  const auto nameText = cursor.Take(static_cast<std::size_t>(std::max(nameListBytes, 0)));
  std::vector<std::string> names = SplitNames(AsciiLower(
      std::string_view(reinterpret_cast<const char*>(nameText.data()), nameText.size())));
  if (names.size() > static_cast<std::size_t>(kMaxEntries)) {
    return Fail("more than " + std::to_string(kMaxEntries) + " entries");
  }

  std::vector<Entry> entries(names.size());
  std::int64_t offset = 0;
  for (std::size_t i = 0; i < names.size(); ++i) {
    entries[i].name = std::move(names[i]);
    entries[i].declaredSize = cursor.TakeInt32();
    entries[i].offset = offset;
    // A negative size holds nothing and moves no later entry.
    offset += std::max(entries[i].declaredSize, 0);
  }
  const auto data = cursor.Rest();

  FVersion = version;
  FEntries = std::move(entries);
  FData.assign(data.begin(), data.end());
  FFailure.clear();
  return true;
}

std::span<const std::uint8_t> TSkinReader::EntryBytes(std::int32_t index) const {
  const Entry& entry = FEntries[index];
  const auto available = static_cast<std::int64_t>(FData.size());
  const std::int64_t begin = std::min(entry.offset, available);
  const std::int64_t end = std::min(begin + std::max(entry.declaredSize, 0), available);
  return std::span<const std::uint8_t>(FData).subspan(static_cast<std::size_t>(begin),
                                                      static_cast<std::size_t>(end - begin));
}

void TSkinReader::CopyEntry(const Entry& entry, std::vector<std::uint8_t>& target) const {
  const auto index = static_cast<std::int32_t>(&entry - FEntries.data());
  const auto bytes = EntryBytes(index);
  target.assign(bytes.begin(), bytes.end());
}

void TSkinReader::ReadEntry(std::string_view name, std::vector<std::uint8_t>& target) const {
  target.clear();
  const std::string wanted = AsciiLower(name);
  const auto found = std::find_if(FEntries.begin(), FEntries.end(),
                                  [&](const Entry& entry) { return entry.name == wanted; });
  if (found != FEntries.end()) CopyEntry(*found, target);
}

void TSkinReader::FindEntry(std::string_view fragment, std::vector<std::uint8_t>& target,
                            std::string& fullName) const {
  target.clear();
  const auto found = std::find_if(FEntries.begin(), FEntries.end(), [&](const Entry& entry) {
    return entry.name.find(fragment) != std::string::npos;
  });
  if (found == FEntries.end()) return;
  CopyEntry(*found, target);
  fullName = found->name;
}

} // namespace skin
