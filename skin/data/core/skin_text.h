// Text rules shared by the skin readers. Skin texts are single-byte text; only ASCII letters
// change case.
#pragma once

#include <string>
#include <string_view>

namespace skin {

// Without leading and trailing characters of codes 0..32.
std::string_view TrimControls(std::string_view text);

std::string AsciiLower(std::string_view text);
std::string AsciiUpper(std::string_view text);

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

} // namespace skin
