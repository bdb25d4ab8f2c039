#include "framework/application.h"
#include "framework/exception.h"
#include "framework/thread.h"
#include "tests/windows/support/test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

using testing_support::PumpUntil;

namespace {

// Records where its pieces ran and whether it was destroyed.
class ProbeThread : public fw::TThread {
public:
  explicit ProbeThread(std::atomic<bool>* destroyed) : destroyed_(destroyed) {}
  ~ProbeThread() override { *destroyed_ = true; }

  DWORD executeThread = 0, synchronizedThread = 0;
  bool waitedForSync = false;
  bool rethrown = false;

protected:
  void Execute() override {
    executeThread = ::GetCurrentThreadId();
    bool ran = false;
    Synchronize([&] {
      synchronizedThread = ::GetCurrentThreadId();
      ::Sleep(50); // the worker must still be waiting when this returns
      ran = true;
    });
    waitedForSync = ran;
    try {
      Synchronize([] { throw fw::Exception(L"from the main thread"); });
    } catch (const fw::Exception& e) {
      rethrown = e.Message() == L"from the main thread";
    }
  }

private:
  std::atomic<bool>* destroyed_;
};

} // namespace

TEST(Thread, SynchronizeRunsOnTheMainThreadWhileTheWorkerWaits) {
  std::atomic<bool> destroyed{false};
  auto* thread = new ProbeThread(&destroyed);
  std::atomic<DWORD> terminateThread{0};
  DWORD executeThread = 0, synchronizedThread = 0;
  bool waited = false, rethrown = false;
  thread->FreeOnTerminate = true;
  thread->OnTerminate = [&](fw::TObject* sender) {
    auto* t = static_cast<ProbeThread*>(sender);
    executeThread = t->executeThread;
    synchronizedThread = t->synchronizedThread;
    waited = t->waitedForSync;
    rethrown = t->rethrown;
    terminateThread = ::GetCurrentThreadId();
  };
  thread->Start();
  // Nothing runs on the main thread unless it serves messages.
  ASSERT_TRUE(PumpUntil([&] { return destroyed.load(); }, 10000));
  const DWORD main = ::GetCurrentThreadId();
  EXPECT_NE(executeThread, main);
  EXPECT_EQ(synchronizedThread, main);
  EXPECT_EQ(terminateThread.load(), main);
  EXPECT_TRUE(waited);
  EXPECT_TRUE(rethrown);
}

TEST(Thread, SynchronizeIsServedFromAModalLoop) {
  // A message box's loop on the main thread also serves the hand-off.
  std::atomic<bool> destroyed{false};
  auto* thread = new ProbeThread(&destroyed);
  thread->FreeOnTerminate = true;
  thread->Start();
  // DialogBox-style loops dispatch with GetMessage; emulate one until the thread is gone.
  MSG msg;
  const DWORD start = ::GetTickCount();
  while (!destroyed && ::GetTickCount() - start < 10000) {
    if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    } else {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
  }
  EXPECT_TRUE(destroyed);
}

TEST(Thread, OwnedThreadIsWaitedFor) {
  std::atomic<bool> destroyed{false};
  auto* thread = new ProbeThread(&destroyed);
  thread->Start();
  // Its hand-offs need the main thread, so serve messages until Execute is done.
  ASSERT_TRUE(PumpUntil([&] { return thread->Finished(); }, 10000));
  thread->WaitFor();
  EXPECT_TRUE(thread->waitedForSync);
  delete thread;
  EXPECT_TRUE(destroyed);
}

TEST(Application, ExceptionsEscapingHandlersBecomeTheErrorBox) {
  testing_support::MessageBoxRecorder boxes;
  fw::Application->Guard([] { throw fw::Exception(L"'abc' is not a valid integer value"); });
  auto shown = boxes.Boxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, L"'abc' is not a valid integer value");
  EXPECT_EQ(shown[0].caption, L"framework_tests");
  EXPECT_EQ(shown[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
}
