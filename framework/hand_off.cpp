#include "framework/hand_off.h"

#include "framework/exception.h"
#include "framework/handles.h"

#include <exception>
#include <memory>
#include <utility>

namespace fw {

namespace {

constexpr UINT WM_HANDOFF = WM_APP + 0x102;
constexpr wchar_t kHandOffClass[] = L"fw.THandOff";

// One call, owned by both threads, with its method and a duplicate of the abandon event, so
// that either thread may be done with it first.
struct Call {
  std::function<void()> method;
  std::exception_ptr error;
  KernelHandle done;
  KernelHandle abandon;
  bool Abandoned() const { return ::WaitForSingleObject(abandon.get(), 0) == WAIT_OBJECT_0; }
};

} // namespace

THandOff::THandOff() : threadId_(::GetCurrentThreadId()) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = WndProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = kHandOffClass;
  ::RegisterClassW(&wc); // fails harmlessly once registered
  wnd_ = ::CreateWindowExW(0, kHandOffClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           wc.hInstance, nullptr);
}

THandOff::~THandOff() {
  if (wnd_) ::DestroyWindow(wnd_);
}

bool THandOff::Run(std::function<void()> method, HANDLE abandon) {
  if (::GetCurrentThreadId() == threadId_) {
    method();
    return true;
  }
  auto call = std::make_shared<Call>();
  call->method = std::move(method);
  call->done.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  HANDLE own = nullptr;
  if (!call->done || !::DuplicateHandle(::GetCurrentProcess(), abandon, ::GetCurrentProcess(), &own,
                                        SYNCHRONIZE, FALSE, 0))
    throw Exception(L"Cannot create the synchronisation event");
  call->abandon.reset(own);
  auto posted = std::make_unique<std::shared_ptr<Call>>(call);
  if (!wnd_ || !::PostMessageW(wnd_, WM_HANDOFF, 0, reinterpret_cast<LPARAM>(posted.get())))
    return false;
  posted.release(); // the serving thread's now
  const HANDLE handles[] = {call->done.get(), call->abandon.get()};
  if (::WaitForMultipleObjects(2, handles, FALSE, INFINITE) != WAIT_OBJECT_0) return false;
  if (call->error) std::rethrow_exception(call->error);
  return true;
}

LRESULT CALLBACK THandOff::WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_HANDOFF) return ::DefWindowProcW(wnd, msg, wParam, lParam);
  const std::unique_ptr<std::shared_ptr<Call>> posted(
      reinterpret_cast<std::shared_ptr<Call>*>(lParam));
  Call& call = **posted;
  if (!call.Abandoned()) {
    try {
      call.method();
    } catch (...) {
      call.error = std::current_exception();
    }
  }
  ::SetEvent(call.done.get());
  return 0;
}

} // namespace fw
