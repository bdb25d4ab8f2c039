// Whether a skin object outlived a call that may run a modal loop. A window skin or control skin
// can be freed while one of its own calls is still running: the call pumps messages (the
// system's scroll or size-and-move loop, menu tracking, a dialog an event opens), the skin
// manager's timer fires inside that loop and switches the skin off or frees the skins of
// destroyed controls. The object keeps a TLiveness; before such a call it takes a watch, and
// after the call it touches nothing of itself unless the watch says it still lives:
//
//   const TLiveness::TWatch alive = FLiveness.Watch();
//   ::SendMessageW(target, WM_NCLBUTTONDOWN, HTVSCROLL, point); // the system's scroll loop
//   if (!alive) return;
//
// The watch holds a shared flag of its own, so it stays readable after the object is gone.
#pragma once

#include <memory>

namespace skin {

class TLiveness {
public:
  class TWatch {
  public:
    bool Alive() const { return *FAlive; }
    explicit operator bool() const { return Alive(); }

  private:
    friend class TLiveness;
    explicit TWatch(std::shared_ptr<const bool> alive) : FAlive(std::move(alive)) {}
    std::shared_ptr<const bool> FAlive;
  };

  TLiveness() = default;
  ~TLiveness() { *FAlive = false; }
  TLiveness(const TLiveness&) = delete;
  TLiveness& operator=(const TLiveness&) = delete;

  TWatch Watch() const { return TWatch(FAlive); }

private:
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

} // namespace skin
