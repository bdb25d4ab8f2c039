#include "test_skins.h"

#include "skin/data/core/skin_reader.h"
#include "skin/data/core/skin_stream.h"
#include "tools/skinpack/lzh_encoder.h"

namespace skintest {

Bytes ToBytes(std::string_view text) {
  return Bytes(text.begin(), text.end());
}
std::string ToText(const Bytes& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

Bytes RawArchive::Build() const {
  Bytes archive;
  skin::AppendInt32LE(archive, version);
  skin::AppendInt32LE(archive, nameListBytes.value_or(static_cast<std::int32_t>(names.size())));
  // Reserved bytes and the extra block hold filler that the reader must skip, not zeros.
  for (int i = 0; i < 8 + extraBytes; ++i)
    archive.push_back(static_cast<std::uint8_t>(0xA5 ^ i));
  archive.insert(archive.end(), names.begin(), names.end());
  for (std::int32_t size : sizes)
    skin::AppendInt32LE(archive, size);
  archive.insert(archive.end(), data.begin(), data.end());
  return archive;
}

RawArchive ArchiveOf(const std::vector<std::pair<std::string, std::string>>& entries) {
  RawArchive archive;
  for (const auto& [name, content] : entries) {
    if (!archive.names.empty()) archive.names += "\r\n";
    archive.names += name;
    archive.sizes.push_back(static_cast<std::int32_t>(content.size()));
    archive.data.insert(archive.data.end(), content.begin(), content.end());
  }
  return archive;
}

Bytes SkinFileOf(const Bytes& archive) {
  return skinpack::PackSkinFile(archive);
}

MessageRecorder::MessageRecorder() {
  previous_ =
      skin::SetSkinMessageHandler([this](const std::string& text) { messages_.push_back(text); });
}

MessageRecorder::~MessageRecorder() {
  skin::SetSkinMessageHandler(std::move(previous_));
}

} // namespace skintest
