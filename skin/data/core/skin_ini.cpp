#include "skin/data/core/skin_ini.h"

#include "skin/data/core/skin_text.h"

#include <optional>

namespace skin {

namespace {

constexpr const char* kUnitName = "Winskinini";
constexpr int kReadSectionsAssertLine = 317;

bool IsSectionHeader(std::string_view line) {
  return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

int DigitValue(char c, int base) {
  int value = 99;
  if (c >= '0' && c <= '9')
    value = c - '0';
  else if (c >= 'a' && c <= 'f')
    value = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F')
    value = c - 'A' + 10;
  return value < base ? value : -1;
}

// A whole signed 32-bit number: optional sign, then decimal digits or '$' and up to 32 bits of
// hexadecimal digits (which may set the sign bit, so "$FFFFFFFF" is -1).
std::optional<std::int32_t> ParseInteger(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (!text.empty() && text.front() == '$') {
    base = 16;
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  const std::uint64_t limit =
      base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  std::uint64_t magnitude = 0;
  for (char c : text) {
    const int digit = DigitValue(c, base);
    if (digit < 0) return std::nullopt;
    magnitude = magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
    if (magnitude > limit) return std::nullopt;
  }
  auto bits = static_cast<std::uint32_t>(magnitude);
  if (negative) bits = 0u - bits;
  return static_cast<std::int32_t>(bits);
}

} // namespace

void TQuickIni::LoadFromStream(std::span<const std::uint8_t> bytes) {
  std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (const auto nul = text.find('\0'); nul != std::string_view::npos) text = text.substr(0, nul);

  FLines.clear();
  FSections.clear();
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = TrimControls(text.substr(start, end - start));
    if (!line.empty() && line.front() != ';') {
      if (IsSectionHeader(line)) FSections.emplace_back(line, static_cast<int>(FLines.size()));
      FLines.emplace_back(line);
    }
    // CR LF is one break; any other CR or LF ends a line on its own.
    start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
  }
}

void TQuickIni::LoadFromStream(const std::vector<std::uint8_t>* stream) {
  if (stream != nullptr) LoadFromStream(std::span<const std::uint8_t>(*stream));
}

int TQuickIni::FindSection(std::string_view name) const {
  std::string header;
  header.reserve(name.size() + 2);
  header.append("[").append(name).append("]");
  for (const auto& [text, index] : FSections) {
    if (EqualsIgnoringAsciiCase(text, header)) return index;
  }
  return -1;
}

std::string TQuickIni::ReadString(std::string_view section, std::string_view key,
                                  std::string_view defaultText) const {
  std::string result(defaultText);
  const int header = FindSection(section);
  if (header < 0) return result;

  const std::string wanted = AsciiLower(key);
  for (std::size_t i = static_cast<std::size_t>(header) + 1; i < FLines.size(); ++i) {
    const std::string_view line = FLines[i];
    if (IsSectionHeader(line)) break;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    if (AsciiLower(TrimControls(line.substr(0, equals))) != wanted) continue;
    // Only the first line of a key counts, even when its value is empty.
    const std::string_view value = TrimControls(line.substr(equals + 1));
    if (!value.empty()) result.assign(value);
    break;
  }
  return result;
}

std::int32_t TQuickIni::ReadInteger(std::string_view section, std::string_view key,
                                    std::int32_t defaultValue) const {
  std::string text = ReadString(section, key, "");
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.replace(0, 2, "$");
  }
  return ParseInteger(text).value_or(defaultValue);
}

void TQuickIni::ReadSections(std::vector<std::string>* list) const {
  if (list == nullptr) {
    throw EAssertionFailed(kUnassignedStringsMessage, kUnitName, kReadSectionsAssertLine);
  }
  list->clear();
  list->reserve(FSections.size());
  for (const auto& section : FSections) {
    const std::string_view header = TrimControls(section.first);
    list->emplace_back(TrimControls(header.substr(1, header.size() - 2)));
  }
}

std::vector<std::string> TQuickIni::ReadSections() const {
  std::vector<std::string> list;
  ReadSections(&list);
  return list;
}

} // namespace skin
