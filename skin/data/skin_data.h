// TSkinData: the non-visual component that carries the program's skin (embedded in the main
// form as its SkinStream, or read from a SkinFile), decodes it into the element descriptors and
// colours painters read, and steers the skin manager (through TSkinManagerLink).
#pragma once

#include "framework/component.h"
#include "framework/core/bitmap.h"
#include "framework/handles.h"
#include "skin/data/caption_hint.h"
#include "skin/data/core/skin_elements.h"
#include "skin/data/core/skin_options.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace skin {

inline constexpr const wchar_t* kSkinDataVersion = L"5.40.07.15";
inline constexpr const wchar_t* kSkinStoreNone = L"(none)";
inline constexpr const wchar_t* kSkinStoreGood = L"(Good)";

// The 118 lines "ClassName=kind" a new component starts with.
const std::vector<std::wstring>& DefaultSkin3rd();

// Registers TSkinData with the form reader; a component it creates counts as being read until
// its Loaded. Call before the first form description that holds one is read.
void RegisterSkinDataClass();

// The whole skin file `name`; false when it is not a file that can be read.
bool ReadSkinFile(const std::wstring& name, std::vector<std::uint8_t>& bytes);

class TSkinData : public fw::TComponent {
public:
  using TOnFormSkin =
      std::function<void(fw::TObject* Sender, const std::wstring& aName, bool& DoSkin)>;
  using TOnSkinControl = std::function<void(
      fw::TComponent* Sender, TSkinData* SkinData, fw::TComponent* Form, fw::TComponent* Control,
      const std::wstring& ControlClass, fw::TComponent*& SkinnedControl)>;
  using TOnSkinForm =
      std::function<void(fw::TObject* Sender, HWND ahwnd, const std::wstring& aName)>;

  explicit TSkinData(fw::TComponent* owner);
  ~TSkinData() override;

  std::wstring ClassName() const override { return L"TSkinData"; }

  // Published properties.
  bool Active() const { return FActive; }
  void SetActive(bool value);
  int DisableTag = 99;
  TSkinControlTypes SkinControls = DefaultSkinControls();
  TSkinOptions Options = DefaultSkinOptions();
  const std::vector<std::wstring>& Skin3rd() const { return FSkin3rd; }
  void SetSkin3rd(const std::vector<std::wstring>& lines) { FSkin3rd = lines; }
  const std::wstring& SkinFile() const { return FSkinFile; }
  // Loads the skin file `name` and asks for a reskin; true when the file's skin is now in use.
  // A file that cannot be read or decoded in full changes nothing: the skin in use keeps its
  // bytes, its descriptors and its name. An empty name only forgets the file name.
  bool SetSkinFile(const std::wstring& name);
  // "(Good)" only while designing with a skin, which a running program never is.
  std::wstring SkinStore() const;
  void SetSkinStore(const std::wstring&) {}
  TSkinFormType SkinFormtype = sfMainform;
  std::wstring Version() const { return kSkinDataVersion; }
  void SetVersion(const std::wstring&) {}
  bool MenuUpdate = true;
  bool MenuMerge = false;
  TOnFormSkin OnFormSkin;
  fw::TNotifyEvent OnSkinChanged;
  // May skin a control itself: a control skin (TSkinControl) it returns is attached to the
  // control and belongs to the window's skin from then on; other components stay the caller's.
  TOnSkinControl OnSkinControl;
  TOnSkinForm OnBeforeSkinForm;
  TOnSkinForm OnAfterSkinForm;

  // The SkinStream binary property: a 4-byte length, then the skin file. Reading stores the
  // skin and loads it. Never throws: a damaged skin, or a value cut short of its length, leaves
  // the component without one (SkinMissing), so the program runs unskinned.
  void ReadSkinStream(std::span<const std::uint8_t> value);
  std::vector<std::uint8_t> WriteSkinStream() const;

  // Decodes the skin bytes into descriptors and colours; false when the archive is not
  // understood. A damaged bitmap throws fw::EInvalidGraphic (the skin stays missing).
  bool LoadSkin();
  void Loaded() override;
  // After a new skin was loaded at run time: asks the manager to reskin.
  void ApplySkinChange();
  // The manager's per-window filter.
  void AllowWindow(HWND window, const std::wstring& className, bool& allow);
  void DoSkinChanged();
  void ShowCaptionHint(const RECT& rect, const std::wstring& text);
  void HideCaptionHint();
  TColor CaptionSampleColour() const { return FElements.CaptionSampleColour(); }

  // Non-published state.
  bool SkinMissing() const { return FSkinMissing; }
  const std::vector<std::uint8_t>& SkinBytes() const { return FSkinBytes; }
  const TSkinElements& Elements() const { return FElements; }
  const std::wstring& SkinName() const { return FSkinName; }
  HBRUSH ButtonFaceBrush() const { return static_cast<HBRUSH>(FButtonFaceBrush.get()); }
  HFONT CaptionFont() const { return static_cast<HFONT>(FCaptionFont.get()); }
  HIMAGELIST MenuGlyphs() const { return FMenuGlyphs; }
  fw::TBitmap& ApplicationIcon() { return FApplicationIcon; }
  SIZE MaximizedSize() const { return FMaximizedSize; }
  HWND LastAllowedWindow() const { return FLastWindow; }
  int HoverCounter = 0;
  std::uint16_t UnpublishedSet = 0x3FF; // held next to DisableTag; not read here

  // While a form description is being read, property setters only store their values.
  void SetReading(bool reading) { FReading = reading; }
  // Captures the small icon of `window` (of the application window when null) as the
  // application icon; without an icon the previous bitmap stays.
  void CaptureApplicationIcon(HWND window);

protected:
  void DefineProperties(fw::TPropertyList& list) const override;

private:
  void RecreateCaptionFont();

  bool FActive = false;
  std::vector<std::wstring> FSkin3rd;
  std::wstring FSkinFile;
  std::vector<std::uint8_t> FSkinBytes;
  bool FSkinMissing = true;
  bool FReading = false;
  TSkinElements FElements;
  std::wstring FSkinName;
  fw::GdiObject FButtonFaceBrush;
  fw::GdiObject FCaptionFont;
  HIMAGELIST FMenuGlyphs = nullptr;
  fw::TBitmap FApplicationIcon;
  SIZE FMaximizedSize{};
  HWND FLastWindow = nullptr;
  TCaptionHintWindow FHint;
};

} // namespace skin
