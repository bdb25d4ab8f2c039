// The framework's exception: a message in UTF-16 as the user will read it.
#pragma once

#include <stdexcept>
#include <string>

namespace fw {

class Exception : public std::runtime_error {
public:
  explicit Exception(const std::wstring& message);
  const std::wstring& Message() const { return message_; }

private:
  std::wstring message_;
};

std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);

// The message of any exception, for the error box.
std::wstring ExceptionMessage(const std::exception& e);

} // namespace fw
