#include "framework/thread.h"

#include "framework/application.h"
#include "framework/exception.h"

#include <process.h>

namespace fw {

TThread::~TThread() {
  if (handle_ && threadId_ != ::GetCurrentThreadId() && !finished_) {
    Terminate();
    ::WaitForSingleObject(handle_.get(), INFINITE);
  }
}

void TThread::Start() {
  if (handle_) return;
  uintptr_t h = ::_beginthreadex(nullptr, 0, ThreadProc, this, CREATE_SUSPENDED, &threadId_);
  if (!h) throw Exception(L"Thread creation error");
  handle_.reset(reinterpret_cast<HANDLE>(h));
  ::ResumeThread(handle_.get());
}

void TThread::WaitFor() {
  if (handle_ && threadId_ != ::GetCurrentThreadId())
    ::WaitForSingleObject(handle_.get(), INFINITE);
}

void TThread::Synchronize(const std::function<void()>& method) {
  if (Application)
    Application->Synchronize(method);
  else
    method();
}

unsigned __stdcall TThread::ThreadProc(void* self) {
  auto* thread = static_cast<TThread*>(self);
  try {
    thread->Execute();
  } catch (...) {
    thread->FatalException = std::current_exception();
  }
  bool freeOnTerminate = thread->FreeOnTerminate;
  if (thread->OnTerminate) {
    try {
      thread->Synchronize([thread] { thread->OnTerminate(thread); });
    } catch (...) {
    }
  }
  thread->finished_ = true;
  if (freeOnTerminate) delete thread;
  return 0;
}

} // namespace fw
