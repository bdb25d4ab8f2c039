// TQuickIni: the in-memory reader of a skin's INI description. Lookups never fail: a missing
// section, key or value gives the caller's default.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace skin {

// A broken precondition of a caller, naming the source unit and line like the program's other
// assertion reports.
class EAssertionFailed : public std::logic_error {
public:
  EAssertionFailed(const std::string& message, const char* unit, int line)
      : std::logic_error(message), FUnit(unit), FLine(line) {}
  const char* Unit() const { return FUnit; }
  int Line() const { return FLine; }

private:
  const char* FUnit;
  int FLine;
};

inline constexpr const char* kUnassignedStringsMessage = "The parameter Strings is unassigned!";

class TQuickIni {
public:
  // Replaces the content with the text in `bytes`. Lines end at CR, LF or CR LF; a NUL ends the
  // whole text. Lines are trimmed; empty lines and lines starting with ';' are dropped.
  void LoadFromStream(std::span<const std::uint8_t> bytes);
  // The same for a stream that may be missing: a null stream leaves the content as it is.
  void LoadFromStream(const std::vector<std::uint8_t>* stream);

  // Index in Lines() of the first header "[name]", compared without regard to case; -1 if none.
  int FindSection(std::string_view name) const;

  // The value of the first `key` line in `section` (keys compared without regard to case), or
  // `defaultText` when the section, the key or its value is missing.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultText) const;

  // The value as a decimal or hexadecimal ("$1F", "0x1F") signed 32-bit integer; `defaultValue`
  // when it is missing or not a whole number.
  std::int32_t ReadInteger(std::string_view section, std::string_view key,
                           std::int32_t defaultValue) const;

  // Replaces `*list` with the section names in file order, trimmed, without brackets. Throws
  // EAssertionFailed when `list` is null.
  void ReadSections(std::vector<std::string>* list) const;
  std::vector<std::string> ReadSections() const;

  const std::vector<std::string>& Lines() const { return FLines; }

private:
  std::vector<std::string> FLines;
  // Header lines as written, brackets included, with their index in FLines.
  std::vector<std::pair<std::string, int>> FSections;
};

} // namespace skin
