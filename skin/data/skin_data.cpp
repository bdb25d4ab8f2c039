#include "skin/data/skin_data.h"

#include "framework/application.h"
#include "framework/bitmap.h"
#include "framework/form.h"
#include "skin/data/core/lzh.h"
#include "skin/data/core/skin_ini.h"
#include "skin/data/core/skin_reader.h"
#include "skin/data/core/skin_stream.h"
#include "skin/data/skin_environment_win.h"
#include "skin/data/skin_manager_link.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace skin {

namespace {

constexpr int kActionDelayMs = 250;

template <class... Args, class Fn> void Ask(const Fn& fn, Args&&... args) {
  if (fn) fn(std::forward<Args>(args)...);
}

// Whether `bytes` hold a skin that loads without a fault, tried on descriptors of its own.
bool DecodesInFull(std::span<const std::uint8_t> bytes) {
  try {
    TSkinReader reader;
    if (!reader.LoadFromStream(bytes)) return false;
    TSkinElements trial;
    LoadSkinElements(reader, SkinIni(reader), SystemSkinEnvironment(), trial);
  } catch (const std::exception&) {
    return false;
  }
  return true;
}

} // namespace

bool ReadSkinFile(const std::wstring& name, std::vector<std::uint8_t>& bytes) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(name, error)) return false;
  std::ifstream file(std::filesystem::path(name), std::ios::binary);
  if (!file) return false;
  bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !file.bad();
}

TSkinManagerLink& SkinManagerLink() {
  static TSkinManagerLink link;
  return link;
}

TSkinData::TSkinData(fw::TComponent* owner) : fw::TComponent(owner), FSkin3rd(DefaultSkin3rd()) {
  FMaximizedSize = {::GetSystemMetrics(SM_CXMAXIMIZED), ::GetSystemMetrics(SM_CYMAXIMIZED)};
  // The glyphs of the skinned system menu: 16 × 16 cells, white is transparent.
  FMenuGlyphs = ImageList_LoadImageW(::GetModuleHandleW(nullptr), L"GLAZEMENU", 16, 0,
                                     RGB(255, 255, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION);
  FButtonFaceBrush.reset(::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE)));
}

TSkinData::~TSkinData() {
  Ask(SkinManagerLink().Unregister, this);
  if (FMenuGlyphs) ImageList_Destroy(FMenuGlyphs);
}

std::wstring TSkinData::SkinStore() const {
  return kSkinStoreNone;
}

void TSkinData::ReadSkinStream(std::span<const std::uint8_t> value) {
  // A damaged skin must not stop the form from loading: it stays missing, and Loaded then leaves
  // the program unskinned.
  SkinStreamValue stored;
  try {
    stored = ReadSkinStreamValue(value);
  } catch (const ElzhException&) {
    FSkinMissing = true; // a value cut short of its length stores no skin
    return;
  }
  if (stored.skinFile.empty()) return;
  FSkinBytes.assign(stored.skinFile.begin(), stored.skinFile.end());
  try {
    LoadSkin();
  } catch (const std::exception&) {
    FSkinMissing = true;
  }
}

std::vector<std::uint8_t> TSkinData::WriteSkinStream() const {
  return WriteSkinStreamValue(FSkinBytes);
}

bool TSkinData::LoadSkin() {
  FSkinMissing = true;
  TSkinReader reader;
  if (!reader.LoadFromStream(FSkinBytes)) return false;
  const TQuickIni ini = SkinIni(reader);
  LoadSkinElements(reader, ini, SystemSkinEnvironment(), FElements); // may throw: skin missing
  FSkinName.assign(FElements.SkinName.begin(), FElements.SkinName.end());
  FButtonFaceBrush.reset(::CreateSolidBrush(FElements.Colour(kButtonFace)));
  FSkinMissing = false;
  return true;
}

void TSkinData::Loaded() {
  fw::TComponent::Loaded();
  FReading = false;
  TSkinManagerLink& manager = SkinManagerLink();
  HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  if (!user32 || !::GetProcAddress(user32, "GetScrollBarInfo")) SkinControls.Exclude(xcScrollbar);
  Ask(manager.EnsureManager);
  Ask(manager.Register, this);
  RecreateCaptionFont();
  if (SkinFormtype != sfMainform) {
    Ask(manager.EnableAndStart);
    if (FActive && Owner()) Ask(manager.SkinOwnerNow, this);
    return;
  }
  Ask(manager.InstallHook);
  if (FActive) {
    if (FSkinMissing) {
      FActive = false;
    } else {
      Ask(manager.RequestAction, this, kSkinOn, kActionDelayMs);
    }
  }
  if (SkinControls.Contains(xcMainMenu)) {
    SkinControls.Exclude(xcMenuItem);
  } else {
    SkinControls.Exclude(xcSystemMenu);
  }
  CaptureApplicationIcon(nullptr);
}

void TSkinData::SetActive(bool value) {
  if (value == FActive) return;
  FActive = value;
  if (FReading) return;
  TSkinManagerLink& manager = SkinManagerLink();
  if (SkinFormtype == sfOnlyThisForm) {
    if (!(value && FSkinMissing))
      Ask(manager.RequestAction, this, value ? kSkinOn : kSkinOff, kActionDelayMs);
  } else if (SkinFormtype == sfMainform) {
    if (value) {
      if (FSkinMissing) return;
      Ask(manager.RequestAction, this, kSkinOn, kActionDelayMs);
      Ask(manager.SetStartState, TStartState::Running);
    } else {
      Ask(manager.RequestAction, this, kSkinOff, kActionDelayMs);
    }
  }
}

bool TSkinData::SetSkinFile(const std::wstring& name) {
  if (name.empty()) {
    FSkinFile.clear();
    return false;
  }
  std::vector<std::uint8_t> bytes;
  if (!ReadSkinFile(name, bytes) || !DecodesInFull(bytes)) return false;
  // The descriptors are refilled in place (the painters hold them), so the skin is tried in
  // full on its own before it replaces the one in use.
  FSkinFile = name;
  FSkinBytes = std::move(bytes);
  LoadSkin();
  ApplySkinChange();
  return true;
}

void TSkinData::ApplySkinChange() {
  if (FReading) return;
  TSkinManagerLink& manager = SkinManagerLink();
  if (!manager.RefreshSkinObjects) {
    Loaded(); // no manager yet: start it as streaming would
  }
  Ask(manager.RefreshSkinObjects, this);
  if (manager.Running && manager.Running())
    Ask(manager.RequestAction, this, kSkinChanged, kActionDelayMs);
}

void TSkinData::AllowWindow(HWND window, const std::wstring& className, bool& allow) {
  FLastWindow = window;
  if (OnFormSkin) {
    OnFormSkin(this, className, allow);
    return;
  }
  if (className == L"SysMonthCal32") {
    allow = false;
  } else if (SkinControls.Contains(xcFastReport) && className.starts_with(L"Tfr")) {
    allow = false;
  }
}

void TSkinData::DoSkinChanged() {
  if (OnSkinChanged) OnSkinChanged(this);
}

void TSkinData::ShowCaptionHint(const RECT& rect, const std::wstring& text) {
  if (!Options.Contains(xoCaptionButtonHint) || FHint.Showing()) return;
  FHint.Show({rect.left, rect.top}, text);
}

void TSkinData::HideCaptionHint() {
  if (FHint.Showing()) FHint.Hide();
}

void TSkinData::RecreateCaptionFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  HFONT font = nullptr;
  if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
    font = ::CreateFontIndirectW(&metrics.lfCaptionFont);
  FCaptionFont.reset(font ? font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
  if (!font) FCaptionFont.release(); // a stock object is never deleted
}

void TSkinData::CaptureApplicationIcon(HWND window) {
  if (!window && fw::Application && fw::Application->MainForm) {
    fw::TWinControl* form = fw::Application->MainForm;
    if (form->HandleAllocated()) window = form->Handle();
  }
  HICON icon = nullptr;
  if (window) {
    icon = reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, ICON_BIG, 0));
  }
  if (!icon) return;
  const int w = ::GetSystemMetrics(SM_CXSMICON), h = ::GetSystemMetrics(SM_CYSMICON);
  fw::TBitmap bitmap(w, h);
  bitmap.Fill(fw::kMagentaPixel);
  HICON small = static_cast<HICON>(::CopyImage(icon, IMAGE_ICON, w, h, LR_COPYFROMRESOURCE));
  fw::DrawInto(bitmap, [&](HDC dc) {
    ::DrawIconEx(dc, 0, 0, small ? small : icon, w, h, 0, nullptr, DI_NORMAL);
  });
  if (small) ::DestroyIcon(small);
  bitmap.Transparent = true;
  bitmap.TransparentColor = fw::kMagentaColour;
  FApplicationIcon = std::move(bitmap);
}

} // namespace skin
