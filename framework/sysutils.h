// Text conversions that report failures the way the user reads them in the error box.
#pragma once

#include "framework/exception.h"

#include <string>

namespace fw {

// A conversion failed.
class EConvertError : public Exception {
public:
  using Exception::Exception;
};

// Decimal (or $-prefixed hexadecimal) text with optional sign and leading blanks to a 32-bit
// integer; anything else fails with "'text' is not a valid integer value".
int StrToInt(const std::wstring& text);
bool TryStrToInt(const std::wstring& text, int& value);

} // namespace fw
