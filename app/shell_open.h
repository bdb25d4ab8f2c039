// Opening documents and addresses through the shell.
#pragma once

#include <string>

namespace app {

// Asks the shell to open the file or address with the default verb, in the file's folder;
// true when the shell accepted.
bool OpenDocument(const std::wstring& FileName, const std::wstring& Parameters);

} // namespace app
