#include "app/area_settings.h"

#include "app/form_fields.h"
#include "recorder/scrcam.h"
#include "recorder/screen_area.h"

#include <cwchar>

namespace app {

namespace {
constexpr const wchar_t* kRadioNames[] = {L"RadioAreaFull", L"RadioAreaAllScreens",
                                          L"RadioAreaRegion", L"RadioAreaWindow",
                                          L"RadioAreaFollow"};
// The largest following area: no screen is larger.
constexpr long kMostFollowSide = 16384;

int SideFromText(const std::wstring& text, int before) {
  wchar_t* end = nullptr;
  const long value = std::wcstol(text.c_str(), &end, 10);
  if (end == text.c_str() || *end != L'\0') return before;
  if (value < recorder::kMinAreaSide) return recorder::kMinAreaSide;
  return static_cast<int>(value > kMostFollowSide ? kMostFollowSide : value);
}
} // namespace

void TAreaSettings::Bind(fw::TForm& dialog) {
  for (size_t i = 0; i < radios_.size(); ++i) {
    Field(dialog, kRadioNames[i], radios_[i]);
    radios_[i]->OnClick = [this](fw::TObject*) { EnableSize(); };
  }
  Field(dialog, L"EditFollowWidth", editWidth_);
  Field(dialog, L"EditFollowHeight", editHeight_);
}

void TAreaSettings::Show(const recorder::TScreenCam& cam) {
  const bool severalMonitors = recorder::MonitorCount() > 1;
  recorder::TAreaKind kind = cam.AreaKind;
  if (kind == recorder::TAreaKind::AllScreens && !severalMonitors)
    kind = recorder::TAreaKind::FullScreen;
  for (size_t i = 0; i < radios_.size(); ++i)
    radios_[i]->SetChecked(kKinds[i] == kind);
  radios_[1]->SetVisible(severalMonitors);
  editWidth_->SetText(std::to_wstring(cam.FollowWidth));
  editHeight_->SetText(std::to_wstring(cam.FollowHeight));
  EnableSize();
}

void TAreaSettings::Apply(recorder::TScreenCam& cam) const {
  cam.AreaKind = Chosen();
  cam.FollowWidth = SideFromText(editWidth_->Text(), cam.FollowWidth);
  cam.FollowHeight = SideFromText(editHeight_->Text(), cam.FollowHeight);
}

recorder::TAreaKind TAreaSettings::Chosen() const {
  for (size_t i = 0; i < radios_.size(); ++i)
    if (radios_[i]->Checked() && radios_[i]->Visible()) return kKinds[i];
  return recorder::TAreaKind::FullScreen;
}

void TAreaSettings::EnableSize() {
  const bool follow = Chosen() == recorder::TAreaKind::FollowMouse;
  editWidth_->SetEnabled(follow);
  editHeight_->SetEnabled(follow);
}

} // namespace app
