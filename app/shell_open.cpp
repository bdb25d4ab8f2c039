#include "app/shell_open.h"

#include "app/core/file_names.h"

#include <windows.h>

#include <shellapi.h>

namespace app {

bool OpenDocument(const std::wstring& FileName, const std::wstring& Parameters) {
  std::wstring folder = DirectoryPart(FileName);
  auto result =
      reinterpret_cast<INT_PTR>(::ShellExecuteW(::GetActiveWindow(), nullptr, FileName.c_str(),
                                                Parameters.c_str(), folder.c_str(), SW_SHOWNORMAL));
  return result > 32;
}

} // namespace app
