// Helpers for Windows tests that drive real windows, message loops and files.
#pragma once

#include "framework/core/bitmap.h"
#include "framework/message_box.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace testing_support {

// Serves the main thread's messages until `done` is true or the time is up; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
// Serves messages for a while.
void PumpFor(DWORD ms);

// A Windows path for an artefact file in $RECORDER_ARTIFACTS/<folder> (created when missing), or
// in the current folder when the variable is not set.
std::wstring ArtifactPath(const std::wstring& folder, const std::wstring& name);

// Saves the screen around a window (the window rectangle grown by `margin` on every side) as a
// .bmp artefact in $RECORDER_ARTIFACTS/<folder>, for people to look at.
void SaveWindowShot(HWND wnd, int margin, const std::wstring& folder, const std::wstring& name);
// The same as a PNG file (uncompressed), for pictures meant to be looked at.
void SaveWindowPng(HWND wnd, int margin, const std::wstring& folder, const std::wstring& name);

// The screen's pixels in a rectangle (screen coordinates), as the recorder reads them.
fw::TBitmap ScreenPixels(RECT r);
// One pixel of the screen, as RGB().
COLORREF ScreenPixel(int x, int y);

// The bytes of an RCDATA resource of the running program (empty when it has none).
std::vector<std::uint8_t> RcDataResource(const wchar_t* name);

// A monotonic clock in milliseconds, for benchmarks.
double MillisecondsNow();

// Writes "key=value" lines that the scripts around the tests check with ffprobe and ffmpeg.
void WriteFacts(const std::wstring& path, const std::map<std::string, std::string>& facts);

// A borderless top-most window that shows a known picture: four solid quadrants.
class PictureWindow {
public:
  PictureWindow(int left, int top, int width, int height);
  ~PictureWindow();
  PictureWindow(const PictureWindow&) = delete;
  PictureWindow& operator=(const PictureWindow&) = delete;
  HWND Handle() const { return wnd_; }
  static constexpr COLORREF kTopLeft = RGB(255, 0, 0), kTopRight = RGB(0, 200, 0),
                            kBottomLeft = RGB(0, 0, 255), kBottomRight = RGB(255, 255, 0);

private:
  HWND wnd_ = nullptr;
};

// Answers every message box in its lifetime and records what was asked. Outside such a scope the
// test entry point answers boxes itself (OK or No) and prints them, so no test waits for a person.
class MessageBoxRecorder {
public:
  struct Box {
    std::wstring text, caption;
    UINT type;
    DWORD threadId;
    HWND owner;
  };
  explicit MessageBoxRecorder(int answer = IDOK);
  ~MessageBoxRecorder();
  std::vector<Box> Boxes() const;
  void SetAnswer(int answer);

private:
  mutable std::mutex mutex_;
  std::vector<Box> boxes_;
  int answer_;
  fw::MessageBoxHandler previous_;
};

} // namespace testing_support
