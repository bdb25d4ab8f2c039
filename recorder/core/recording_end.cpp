#include "recorder/core/recording_end.h"

namespace recorder {

namespace {

const wchar_t* StopNotice(StopCause cause) {
  switch (cause) {
  case StopCause::DiskFull:
    return L"The disk is almost full, so the recording was stopped.";
  case StopCause::TargetGone:
    return L"The folder of the recording can no longer be reached, so the recording was stopped.";
  case StopCause::NoFollowOnFile:
    return L"The recording was stopped because its next file could not be created.";
  case StopCause::WriteFailed:
    return L"The recording was stopped because a frame could not be written or compressed.";
  case StopCause::SoundWriteFailed:
    return L"The recording was stopped because its sound could not be written.";
  case StopCause::WindowClosed:
    return L"The window being recorded was closed, so the recording was stopped.";
  default:
    return L"";
  }
}

} // namespace

std::wstring EndNotice(StopCause cause, std::int64_t frames) {
  if (frames == 0)
    return cause == StopCause::Requested
               ? L"Nothing was recorded: the recording was stopped before its first frame."
               : std::wstring(StopNotice(cause)) + L" Nothing was recorded.";
  if (cause == StopCause::Requested) return {};
  if (cause == StopCause::TargetGone) return StopNotice(cause);
  return std::wstring(StopNotice(cause)) + L" Everything recorded until now has been saved.";
}

std::wstring EndNotice(StopCause cause, std::int64_t frames,
                       const std::vector<std::wstring>& closeNotices) {
  if (closeNotices.empty() || frames == 0) return EndNotice(cause, frames);
  std::wstring text = StopNotice(cause);
  for (const std::wstring& notice : closeNotices)
    text += (text.empty() ? L"" : L"\n\n") + notice;
  return text;
}

std::wstring FilesNotice(const std::vector<std::wstring>& files) {
  std::wstring text = L"The recording was saved in " + std::to_wstring(files.size()) +
                      L" files, because one AVI file holds at most 2 GB:";
  for (const std::wstring& file : files)
    text += L"\n" + file;
  return text;
}

} // namespace recorder
