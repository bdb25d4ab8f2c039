// File-name helpers of the main window.
#pragma once

#include <string>

namespace app {

// The name unchanged when it ends in the extension (letters A to Z compared without case), else
// the name followed by the extension: clip -> clip.avi, Clip.AVI stays, my.avi.old ->
// my.avi.old.avi, and a folder's name never counts (C:\takes.avi\talk -> C:\takes.avi\talk.avi).
std::wstring EnsureExtension(const std::wstring& Name, const std::wstring& Extension);

// Everything up to and including the last backslash or colon: the working folder for the shell.
std::wstring DirectoryPart(const std::wstring& FileName);

} // namespace app
