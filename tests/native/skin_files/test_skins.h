// Archives and skin files built byte by byte for the reader tests, including damaged ones that
// the packer would never write.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skintest {

using Bytes = std::vector<std::uint8_t>;

Bytes ToBytes(std::string_view text);
std::string ToText(const Bytes& bytes);

// An archive with any header values: version, name-list text and sizes as given, `extraBytes`
// bytes of filler after the header, then `data`.
struct RawArchive {
  std::int32_t version = 20000;
  std::int32_t extraBytes = 0;
  std::string names;                         // CR LF separated, written as is
  std::optional<std::int32_t> nameListBytes; // the NL field; by default the length of `names`
  std::vector<std::int32_t> sizes;           // written as is, one per name or not
  Bytes data;
  Bytes Build() const;
};

// An archive of named entries (names written as given) with matching sizes.
RawArchive ArchiveOf(const std::vector<std::pair<std::string, std::string>>& entries);

// A skin file of `archive` made by the packer's encoder.
Bytes SkinFileOf(const Bytes& archive);

// Collects the messages the skin readers show while it lives.
class MessageRecorder {
public:
  MessageRecorder();
  ~MessageRecorder();
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  const std::vector<std::string>& Messages() const { return messages_; }

private:
  std::vector<std::string> messages_;
  std::function<void(const std::string&)> previous_;
};

} // namespace skintest
