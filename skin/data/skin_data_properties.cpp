// The published properties of TSkinData, by which form descriptions store the component, and
// its registration with the form reader.
#include "framework/class_registry.h"
#include "skin/data/skin_data.h"

namespace skin {

namespace {

const std::vector<std::wstring> kControlTypeNames = {
    L"xcMainMenu",   L"xcPopupMenu", L"xcMenuItem",    L"xcToolbar",     L"xcControlbar",
    L"xcCombo",      L"xcCheckBox",  L"xcRadioButton", L"xcProgress",    L"xcScrollbar",
    L"xcEdit",       L"xcButton",    L"xcBitBtn",      L"xcSpeedButton", L"xcSpin",
    L"xcPanel",      L"xcGroupBox",  L"xcStatusBar",   L"xcTab",         L"xcTrackBar",
    L"xcSystemMenu", L"xcFastReport"};

const std::vector<std::wstring> kOptionNames = {
    L"xoMDIScrollbar",     L"xoMenuMerge",   L"xoTransparent",       L"xoPreview",
    L"xoParentBackGround", L"xoNoFocusRect", L"xoToolbarBK",         L"xoToolbarButton",
    L"xoMDIChildBorder",   L"xoMenuBG",      L"xoCaptionButtonHint", L"xoFormScrollbar"};

} // namespace

void TSkinData::DefineProperties(fw::TPropertyList& list) const {
  fw::TComponent::DefineProperties(list);
  fw::TPropertyDefiner<TSkinData> d(list);
  d.Boolean(
      L"Active", [](TSkinData& s) { return s.Active(); },
      [](TSkinData& s, bool v) { s.SetActive(v); });
  d.Integer(
      L"DisableTag", [](TSkinData& s) { return s.DisableTag; },
      [](TSkinData& s, int v) { s.DisableTag = v; });
  d.Set(
      L"SkinControls", kControlTypeNames,
      [](TSkinData& s) { return static_cast<int>(s.SkinControls.Bits()); },
      [](TSkinData& s, int v) {
        s.SkinControls = TSkinControlTypes::FromBits(static_cast<std::uint32_t>(v));
      });
  d.Set(
      L"Options", kOptionNames, [](TSkinData& s) { return static_cast<int>(s.Options.Bits()); },
      [](TSkinData& s, int v) {
        s.Options = TSkinOptions::FromBits(static_cast<std::uint32_t>(v));
      });
  d.Strings(
      L"Skin3rd", [](TSkinData& s) { return s.Skin3rd(); },
      [](TSkinData& s, const std::vector<std::wstring>& v) { s.SetSkin3rd(v); });
  d.String(
      L"SkinFile", [](TSkinData& s) { return s.SkinFile(); },
      [](TSkinData& s, const std::wstring& v) { s.SetSkinFile(v); });
  d.String(
      L"SkinStore", [](TSkinData& s) { return s.SkinStore(); },
      [](TSkinData& s, const std::wstring& v) { s.SetSkinStore(v); });
  d.Enumeration(
      L"SkinFormtype", {L"sfMainform", L"sfOnlyThisForm", L"sfDialog", L"sfDLL"},
      [](TSkinData& s) { return static_cast<int>(s.SkinFormtype); },
      [](TSkinData& s, int v) { s.SkinFormtype = static_cast<TSkinFormType>(v); });
  d.String(
      L"Version", [](TSkinData& s) { return s.Version(); },
      [](TSkinData& s, const std::wstring& v) { s.SetVersion(v); });
  d.Boolean(
      L"MenuUpdate", [](TSkinData& s) { return s.MenuUpdate; },
      [](TSkinData& s, bool v) { s.MenuUpdate = v; });
  d.Boolean(
      L"MenuMerge", [](TSkinData& s) { return s.MenuMerge; },
      [](TSkinData& s, bool v) { s.MenuMerge = v; });
  d.Binary(
      L"SkinStream", [](TSkinData& s) { return s.WriteSkinStream(); },
      [](TSkinData& s, const std::vector<std::uint8_t>& v) { s.ReadSkinStream(v); });
  d.Event(L"OnSkinChanged", &TSkinData::OnSkinChanged);
}

void RegisterSkinDataClass() {
  fw::RegisterComponentClass(L"TSkinData", [](fw::TComponent* owner) -> fw::TComponent* {
    auto* data = new TSkinData(owner);
    data->SetReading(true); // until Loaded: the description is still being applied
    return data;
  });
}

} // namespace skin
