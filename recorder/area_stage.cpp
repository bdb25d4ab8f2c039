#include "recorder/area_stage.h"

#include "recorder/screen_area.h"

namespace recorder {

namespace {
Point Cursor() {
  POINT p{};
  ::GetCursorPos(&p);
  return {p.x, p.y};
}
} // namespace

TAreaStage::TAreaStage(const TRecordArea& area, const Rect& primary)
    : area_(area), limit_(area.Kind == TAreaKind::FullScreen ? primary : VirtualScreen()),
      current_(limit_) {
  switch (area_.Kind) {
  case TAreaKind::Region:
    current_ = ClipRegion(area_.Bounds, limit_).value_or(limit_);
    break;
  case TAreaKind::Window:
    // The window's own rectangle, also where it reaches off the screen: that part stays black.
    current_ = area_.Bounds;
    if (area_.Window && ::IsWindow(area_.Window))
      current_ = FollowedWindowArea(VisibleWindowRect(area_.Window), Width(area_.Bounds),
                                    Height(area_.Bounds));
    if (Width(current_) < kMinAreaSide || Height(current_) < kMinAreaSide)
      current_ = ClipRegion(current_, limit_).value_or(limit_);
    break;
  case TAreaKind::FollowMouse:
    current_ = FollowStart(Cursor(), Width(area_.Bounds), Height(area_.Bounds), limit_);
    break;
  default:
    break;
  }
}

std::optional<Rect> TAreaStage::Next(std::int32_t msPerFrame) {
  switch (area_.Kind) {
  case TAreaKind::Window: {
    const std::optional<Rect> next = NextWindowArea(current_, FollowedWindowOf(area_.Window));
    if (!next) return std::nullopt;
    current_ = *next;
    break;
  }
  case TAreaKind::FollowMouse:
    current_ = ahead_ ? *ahead_ : TowardCursor(msPerFrame);
    ahead_.reset();
    break;
  default:
    break;
  }
  return current_;
}

Rect TAreaStage::TowardCursor(std::int32_t msPerFrame) const {
  return FollowCursor(current_, Cursor(), FollowStep(msPerFrame, current_), limit_);
}

std::optional<Rect> TAreaStage::Ahead(std::int32_t msPerFrame) {
  switch (area_.Kind) {
  case TAreaKind::Window:
    return NextWindowArea(current_, FollowedWindowOf(area_.Window));
  case TAreaKind::FollowMouse:
    ahead_ = TowardCursor(msPerFrame);
    return ahead_;
  default:
    return current_;
  }
}

} // namespace recorder
