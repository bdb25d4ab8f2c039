// What the paint benchmarks time with: the median of repeated runs of some work (GDI flushed
// after each), and a full repaint of a window.
#pragma once

#include "tests/windows/support/test_support.h"

#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace bench {

inline double Median(int runs, const std::function<void()>& work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const double start = testing_support::MillisecondsNow();
    work();
    ::GdiFlush();
    times.push_back(testing_support::MillisecondsNow() - start);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

inline void Repaint(HWND wnd, UINT extra = 0) {
  ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | extra);
}

} // namespace bench
