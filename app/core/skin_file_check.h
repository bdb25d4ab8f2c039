// Whether a skin file can replace the skin in use. A file is tried in full (unpacked, its
// archive and INI description read, every element loaded) before the program switches to it, so
// that a file that cannot be loaded leaves the current look untouched.
#pragma once

#include "skin/data/core/skin_elements.h"

#include <cstdint>
#include <span>
#include <string>

namespace app {

// Empty when `file` (the bytes of a skin file) loads; otherwise why not, in words for the user
// ("it is empty", "it is not a skin file: ..."). Shows no message of the skin readers.
std::wstring SkinFileProblem(std::span<const std::uint8_t> file,
                             const skin::TSkinEnvironment& environment);

} // namespace app
