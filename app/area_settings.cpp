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
  for (size_t i = 0; i < FRadios.size(); ++i) {
    Field(dialog, kRadioNames[i], FRadios[i]);
    FRadios[i]->OnClick = [this](fw::TObject*) { EnableSize(); };
  }
  Field(dialog, L"EditFollowWidth", FEditWidth);
  Field(dialog, L"EditFollowHeight", FEditHeight);
}

void TAreaSettings::Show(const recorder::TScreenCam& cam) {
  const bool severalMonitors = recorder::MonitorCount() > 1;
  recorder::TAreaKind kind = cam.FAreaKind;
  if (kind == recorder::TAreaKind::AllScreens && !severalMonitors)
    kind = recorder::TAreaKind::FullScreen;
  for (size_t i = 0; i < FRadios.size(); ++i)
    FRadios[i]->SetChecked(kKinds[i] == kind);
  FRadios[1]->SetVisible(severalMonitors);
  FEditWidth->SetText(std::to_wstring(cam.FFollowWidth));
  FEditHeight->SetText(std::to_wstring(cam.FFollowHeight));
  EnableSize();
}

void TAreaSettings::Apply(recorder::TScreenCam& cam) const {
  cam.FAreaKind = Chosen();
  cam.FFollowWidth = SideFromText(FEditWidth->Text(), cam.FFollowWidth);
  cam.FFollowHeight = SideFromText(FEditHeight->Text(), cam.FFollowHeight);
}

recorder::TAreaKind TAreaSettings::Chosen() const {
  for (size_t i = 0; i < FRadios.size(); ++i)
    if (FRadios[i]->Checked() && FRadios[i]->Visible()) return kKinds[i];
  return recorder::TAreaKind::FullScreen;
}

void TAreaSettings::EnableSize() {
  const bool follow = Chosen() == recorder::TAreaKind::FollowMouse;
  FEditWidth->SetEnabled(follow);
  FEditHeight->SetEnabled(follow);
}

} // namespace app
