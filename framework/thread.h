// A worker thread object: subclasses override Execute. A thread that frees itself on
// termination runs its OnTerminate hook on the main thread and then deletes itself.
#pragma once

#include "framework/handles.h"
#include "framework/object.h"

#include <atomic>
#include <exception>
#include <functional>

namespace fw {

class TThread : public TObject {
public:
  TThread() = default;
  // Waits for a running thread that does not free itself.
  ~TThread() override;

  // Starts the thread (threads are created suspended so that fields can be set first).
  void Start();
  // Blocks until Execute and the termination hook are done; not for self-freeing threads.
  void WaitFor();
  // Asks Execute to finish; Execute polls Terminated().
  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }
  bool Finished() const { return finished_; }
  HANDLE Handle() const { return handle_.get(); }

  // Set before Start: the object deletes itself after OnTerminate has run.
  bool FreeOnTerminate = false;
  // Runs on the main thread after Execute has returned (through Synchronize).
  TNotifyEvent OnTerminate;
  // An exception that escaped Execute.
  std::exception_ptr FatalException;

protected:
  virtual void Execute() = 0;
  // Runs `method` on the main thread while this thread waits.
  void Synchronize(const std::function<void()>& method);

private:
  static unsigned __stdcall ThreadProc(void* self);

  KernelHandle handle_;
  unsigned threadId_ = 0;
  std::atomic<bool> terminated_{false};
  std::atomic<bool> finished_{false};
};

} // namespace fw
