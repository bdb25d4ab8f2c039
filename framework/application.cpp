#include "framework/application.h"

#include "framework/exception.h"
#include "framework/message_box.h"

namespace fw {

TApplication* Application = nullptr;

namespace {

constexpr UINT WM_SYNCHRONIZE = WM_APP + 0x100;
constexpr wchar_t kUtilityClass[] = L"fw.TApplication.Utility";

struct SyncRequest {
  const std::function<void()>* method;
  std::exception_ptr error;
  HANDLE done;
};

std::wstring ProgramTitle() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring name(path);
  if (auto slash = name.find_last_of(L"\\/:"); slash != std::wstring::npos)
    name.erase(0, slash + 1);
  if (auto dot = name.find(L'.'); dot != std::wstring::npos) name.erase(dot);
  return name;
}

} // namespace

TApplication::TApplication()
    : instance_(::GetModuleHandleW(nullptr)), mainThreadId_(::GetCurrentThreadId()),
      title_(ProgramTitle()) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = UtilityWndProc;
  wc.hInstance = instance_;
  wc.lpszClassName = kUtilityClass;
  ::RegisterClassW(&wc);
  // A message-only window: it exists to receive the hand-off requests of worker threads.
  utilityWnd_ = ::CreateWindowExW(0, kUtilityClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  instance_, nullptr);
  Application = this;
}

TApplication::~TApplication() {
  if (utilityWnd_) ::DestroyWindow(utilityWnd_);
  if (Application == this) Application = nullptr;
}

void TApplication::Dispatch(MSG& msg) {
  for (auto& filter : filters_)
    if (filter(msg)) return;
  ::TranslateMessage(&msg);
  ::DispatchMessageW(&msg);
}

bool TApplication::HandleMessage() {
  MSG msg;
  BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
  if (got == 0 || got == -1) {
    terminated_ = true;
    return false;
  }
  Dispatch(msg);
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      // Leave the quit request for the outermost loop.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    Dispatch(msg);
  }
}

void TApplication::Run() {
  while (!terminated_ && HandleMessage()) {
  }
}

void TApplication::Terminate() {
  if (!terminated_) ::PostQuitMessage(0);
  terminated_ = true;
}

void TApplication::Synchronize(const std::function<void()>& method) {
  if (IsMainThread()) {
    method();
    return;
  }
  SyncRequest request{&method, nullptr, ::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  if (!request.done) throw Exception(L"Cannot create the synchronisation event");
  if (::PostMessageW(utilityWnd_, WM_SYNCHRONIZE, 0, reinterpret_cast<LPARAM>(&request)))
    ::WaitForSingleObject(request.done, INFINITE);
  ::CloseHandle(request.done);
  if (request.error) std::rethrow_exception(request.error);
}

LRESULT CALLBACK TApplication::UtilityWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SYNCHRONIZE) {
    auto* request = reinterpret_cast<SyncRequest*>(lParam);
    try {
      (*request->method)();
    } catch (...) {
      request->error = std::current_exception();
    }
    ::SetEvent(request->done);
    return 0;
  }
  return ::DefWindowProcW(wnd, msg, wParam, lParam);
}

void TApplication::ShowException(const std::exception& e) {
  std::wstring text = ExceptionMessage(e);
  ShowMessageBox(nullptr, text, title_, MB_OK | MB_ICONERROR);
}

void TApplication::Guard(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    ShowException(e);
  }
}

} // namespace fw
