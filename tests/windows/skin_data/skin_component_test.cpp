// The skin component: published defaults, the SkinStream property round trip with the program's
// own skin, loading, damaged skins, Loaded's decisions and the requests it makes of the skin
// manager, the window filter, skin files, the caption hint and the application icon.
#include "skin/data/skin_data.h"

#include "framework/core/bmp_writer.h"
#include "framework/form.h"
#include "framework/persistent.h"
#include "skin/data/core/skin_stream.h"
#include "skin/data/skin_manager_link.h"
#include "tests/windows/support/test_support.h"
#include "tools/skinpack/lzh_encoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

using skin::TSkinData;

// Records what the component asks of the manager while it lives.
class ManagerRecorder {
public:
  ManagerRecorder() : saved_(skin::SkinManagerLink()) {
    auto& link = skin::SkinManagerLink();
    link = {};
    link.Register = [this](TSkinData*) { calls.push_back("register"); };
    link.Unregister = [this](TSkinData*) { calls.push_back("unregister"); };
    link.InstallHook = [this] { calls.push_back("hook"); };
    link.RequestAction = [this](TSkinData*, skin::TSkinAction action, int delay) {
      calls.push_back("action " + std::to_string(action) + " after " + std::to_string(delay));
    };
    link.SetStartState = [this](skin::TStartState state) {
      calls.push_back("start " + std::to_string(static_cast<int>(state)));
    };
  }
  ~ManagerRecorder() { skin::SkinManagerLink() = saved_; }
  std::vector<std::string> calls;

private:
  skin::TSkinManagerLink saved_;
};

bool Has(const std::vector<std::string>& calls, const std::string& call) {
  return std::find(calls.begin(), calls.end(), call) != calls.end();
}

TEST(SkinComponent, StartsWithThePublishedDefaults) {
  TSkinData data(nullptr);
  EXPECT_FALSE(data.Active());
  EXPECT_EQ(data.DisableTag, 99);
  EXPECT_EQ(data.SkinControls, skin::DefaultSkinControls());
  int members = 0;
  for (int m = skin::xcMainMenu; m <= skin::xcFastReport; ++m)
    members += data.SkinControls.Contains(static_cast<skin::TSkinControlType>(m));
  EXPECT_EQ(members, 20);
  EXPECT_FALSE(data.SkinControls.Contains(skin::xcMenuItem));
  EXPECT_FALSE(data.SkinControls.Contains(skin::xcFastReport));
  EXPECT_TRUE(data.Options.Contains(skin::xoPreview));
  EXPECT_TRUE(data.Options.Contains(skin::xoToolbarBK));
  EXPECT_TRUE(data.Options.Contains(skin::xoCaptionButtonHint));
  EXPECT_EQ(data.Options.Bits(), (1u << skin::xoPreview) | (1u << skin::xoToolbarBK) |
                                     (1u << skin::xoCaptionButtonHint));
  EXPECT_EQ(data.SkinFormtype, skin::sfMainform);
  EXPECT_EQ(data.Version(), L"5.40.07.15");
  data.SetVersion(L"9.9");
  EXPECT_EQ(data.Version(), L"5.40.07.15") << "assigning Version changes nothing";
  EXPECT_EQ(data.SkinStore(), L"(none)");
  EXPECT_TRUE(data.MenuUpdate);
  EXPECT_FALSE(data.MenuMerge);
  EXPECT_TRUE(data.SkinFile().empty());
  EXPECT_TRUE(data.SkinMissing());
  EXPECT_EQ(data.UnpublishedSet, 0x3FF);
  EXPECT_NE(data.Elements().Left, nullptr);
  EXPECT_NE(data.Elements().Top, nullptr);
  EXPECT_NE(data.Elements().Buttons, nullptr);
  EXPECT_NE(data.Elements().Title, nullptr);
  EXPECT_EQ(data.Elements().MenuItem, nullptr);
  ASSERT_NE(data.MenuGlyphs(), nullptr);
  EXPECT_EQ(ImageList_GetImageCount(data.MenuGlyphs()), 4);
  EXPECT_GT(data.MaximizedSize().cx, 0);
  EXPECT_NE(data.ButtonFaceBrush(), nullptr);
}

TEST(SkinComponent, Skin3rdHoldsThe118DefaultLines) {
  TSkinData data(nullptr);
  const auto& lines = data.Skin3rd();
  ASSERT_EQ(lines.size(), 118u);
  EXPECT_EQ(lines.front(), L"TCategoryButtons=scrollbar");
  EXPECT_EQ(lines.back(), L"TOVCDBNUMERICFIELD=Edit");
  int duplicates = 0;
  for (std::size_t i = 0; i < lines.size(); ++i)
    for (std::size_t j = 0; j < i; ++j)
      duplicates += lines[i] == lines[j];
  EXPECT_EQ(duplicates, 3);
  auto kindOf = [&](const std::wstring& name) {
    for (const auto& line : lines)
      if (line.substr(0, line.find(L'=')) == name) return line.substr(line.find(L'=') + 1);
    return std::wstring(L"?");
  };
  EXPECT_EQ(kindOf(L"TRxLookupEdit"), L"combobox");
  EXPECT_EQ(kindOf(L"TLMDCOLOREDIT"), L"Edit") << "name parts match with case";
  EXPECT_EQ(kindOf(L"TRzDbColorEdit"), L"combobox");
  EXPECT_EQ(kindOf(L"TLMDEDITDBLookup"), L"Edit");
  EXPECT_EQ(kindOf(L"TTBXDockablePanel"), L"Panel");
  EXPECT_EQ(kindOf(L"TcxButton"), L"bitbtn");
  EXPECT_EQ(kindOf(L"TLMDRadiobutton"), L"Radiobutton");
  data.SetSkin3rd({L"TMine=button"});
  EXPECT_EQ(data.Skin3rd().size(), 1u);
}

TEST(SkinComponent, TheEmbeddedSkinLoadsFromItsSkinStreamAndWritesItBack) {
  const std::vector<std::uint8_t> skinFile = testing_support::RcDataResource(L"RECORDERSKIN");
  ASSERT_GT(skinFile.size(), 1000u);
  const std::vector<std::uint8_t> value = skin::WriteSkinStreamValue(skinFile);
  TSkinData data(nullptr);
  const auto start = std::chrono::steady_clock::now();
  data.ReadSkinStream(value);
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  std::printf("skin load at start-up under Wine (decode + descriptors): %.2f ms\n", ms);
  EXPECT_FALSE(data.SkinMissing());
  const skin::TSkinElements& e = data.Elements();
  EXPECT_FALSE(e.Top->Bitmap.Empty());
  EXPECT_EQ(e.Top->Trans, 1);
  ASSERT_NE(e.ComboButton, nullptr);
  EXPECT_EQ(e.ComboButton->Style, 2);
  EXPECT_NE(e.Scrollbar, nullptr);
  EXPECT_NE(e.MenuItem, nullptr);
  EXPECT_EQ(e.CaptionButtons.size(), 8u);
  EXPECT_FALSE(e.Track->Bitmap.Empty());
  EXPECT_EQ(data.SkinName(), L"Lanlin Lake");
  EXPECT_EQ(data.CaptionSampleColour(), e.CaptionSampleColour());
  EXPECT_EQ(data.WriteSkinStream(), value) << "the property round-trips byte for byte";
  EXPECT_EQ(data.SkinStore(), L"(none)") << "never (Good) at run time";
}

TEST(SkinComponent, ALengthOfZeroStoresNoSkinAndLoadedSwitchesActiveOff) {
  ManagerRecorder manager;
  TSkinData data(nullptr);
  data.SetReading(true);
  data.SetActive(true);
  data.SetReading(false);
  data.ReadSkinStream(std::vector<std::uint8_t>{0, 0, 0, 0});
  EXPECT_TRUE(data.SkinMissing());
  EXPECT_EQ(data.WriteSkinStream(), (std::vector<std::uint8_t>{0, 0, 0, 0}));
  data.Loaded();
  EXPECT_FALSE(data.Active());
  EXPECT_TRUE(Has(manager.calls, "register"));
  EXPECT_TRUE(Has(manager.calls, "hook"));
  EXPECT_FALSE(Has(manager.calls, "action 1 after 250"));
  manager.calls.clear();
  data.SetActive(true);
  EXPECT_TRUE(manager.calls.empty()) << "no skin: switching on requests nothing";
}

TEST(SkinComponent, LoadedWithASkinRequestsSkinOnAndAdjustsTheMenuMembers) {
  ManagerRecorder manager;
  TSkinData data(nullptr);
  data.SetReading(true);
  data.SetActive(true);
  data.ReadSkinStream(skin::WriteSkinStreamValue(testing_support::RcDataResource(L"RECORDERSKIN")));
  data.SetReading(false);
  ASSERT_FALSE(data.SkinMissing());
  EXPECT_TRUE(manager.calls.empty()) << "nothing is requested while the form is read";
  data.Loaded();
  EXPECT_TRUE(data.Active());
  EXPECT_TRUE(Has(manager.calls, "action 1 after 250"));
  EXPECT_TRUE(data.SkinControls.Contains(skin::xcSystemMenu));
  EXPECT_FALSE(data.SkinControls.Contains(skin::xcMenuItem)) << "xcMainMenu drops xcMenuItem";

  TSkinData other(nullptr);
  other.SkinControls.Exclude(skin::xcMainMenu);
  other.SkinControls.Include(skin::xcMenuItem);
  other.Loaded();
  EXPECT_FALSE(other.SkinControls.Contains(skin::xcSystemMenu)) << "without it xcSystemMenu goes";
  EXPECT_TRUE(other.SkinControls.Contains(skin::xcMenuItem));

  manager.calls.clear();
  data.SetActive(false);
  EXPECT_TRUE(Has(manager.calls, "action 2 after 250"));
  manager.calls.clear();
  data.SetActive(true);
  EXPECT_TRUE(Has(manager.calls, "action 1 after 250"));
  EXPECT_TRUE(Has(manager.calls, "start 1"));
}

// A skin file of an INI that names an image and an image entry that is not a BMP, packed by the
// packer's encoder.
std::vector<std::uint8_t> DamagedSkinFile() {
  std::string ini = "[MenuItem]\r\nImage=bad.bmp\r\n";
  std::string names = "bad.bmp\r\nskin.ini";
  std::vector<std::uint8_t> archive;
  skin::AppendInt32LE(archive, 20000);
  skin::AppendInt32LE(archive, static_cast<std::int32_t>(names.size()));
  archive.resize(16, 0);
  archive.insert(archive.end(), names.begin(), names.end());
  skin::AppendInt32LE(archive, 5);
  skin::AppendInt32LE(archive, static_cast<std::int32_t>(ini.size()));
  for (char c : std::string("BMxyz") + ini)
    archive.push_back(static_cast<std::uint8_t>(c));
  return skinpack::PackSkinFile(archive);
}

TEST(SkinComponent, ADamagedBitmapLeavesTheSkinMissingWithoutStoppingTheForm) {
  const std::vector<std::uint8_t> file = DamagedSkinFile();
  TSkinData data(nullptr);
  EXPECT_NO_THROW(data.ReadSkinStream(skin::WriteSkinStreamValue(file)));
  EXPECT_TRUE(data.SkinMissing());
  EXPECT_THROW(data.LoadSkin(), fw::EInvalidGraphic);
  EXPECT_TRUE(data.SkinMissing());
  data.SetReading(true);
  data.SetActive(true);
  data.SetReading(false);
  ManagerRecorder manager;
  data.Loaded();
  EXPECT_FALSE(data.Active()) << "the program stays unskinned";
}

TEST(SkinComponent, AllowWindowRefusesCalendarsAndReportClassesOrAsksTheEvent) {
  TSkinData data(nullptr);
  HWND wnd = reinterpret_cast<HWND>(0x1234);
  bool allow = true;
  data.AllowWindow(wnd, L"SysMonthCal32", allow);
  EXPECT_FALSE(allow);
  EXPECT_EQ(data.LastAllowedWindow(), wnd);
  allow = true;
  data.AllowWindow(wnd, L"TfrPreviewForm", allow);
  EXPECT_TRUE(allow) << "xcFastReport is not in the default set";
  data.SkinControls.Include(skin::xcFastReport);
  data.AllowWindow(wnd, L"TfrPreviewForm", allow);
  EXPECT_FALSE(allow);
  allow = true;
  data.AllowWindow(wnd, L"TForm1", allow);
  EXPECT_TRUE(allow);
  data.OnFormSkin = [](fw::TObject*, const std::wstring& name, bool& doSkin) {
    doSkin = name == L"SysMonthCal32";
  };
  allow = false;
  data.AllowWindow(wnd, L"SysMonthCal32", allow);
  EXPECT_TRUE(allow) << "the event alone decides";
}

void WriteFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

TEST(SkinComponent, ASkinFileIsUsedOnlyWhenItLoadsInFull) {
  ManagerRecorder manager;
  const std::vector<std::uint8_t> embedded = testing_support::RcDataResource(L"RECORDERSKIN");
  TSkinData data(nullptr);
  data.ReadSkinStream(skin::WriteSkinStreamValue(embedded));
  ASSERT_FALSE(data.SkinMissing());
  const skin::TDataSkinObject* menuItem = data.Elements().MenuItem.get();
  ASSERT_NE(menuItem, nullptr);
  const std::wstring damaged = testing_support::ArtifactPath(L"skin", L"damaged.skn");
  WriteFile(damaged, DamagedSkinFile());
  for (const std::wstring& name : {std::wstring(L"Z:\\no\\such\\skin.skn"), damaged}) {
    manager.calls.clear();
    EXPECT_FALSE(data.SetSkinFile(name));
    EXPECT_FALSE(data.SkinMissing()) << "the skin in use stays";
    EXPECT_TRUE(data.SkinFile().empty());
    EXPECT_EQ(data.SkinBytes(), embedded);
    EXPECT_EQ(data.Elements().MenuItem.get(), menuItem) << "the descriptors stay whole";
    EXPECT_EQ(data.SkinName(), L"Lanlin Lake");
    EXPECT_TRUE(manager.calls.empty()) << "no reskin is asked for";
  }
  data.SetActive(true);
  EXPECT_TRUE(Has(manager.calls, "action 1 after 250")) << "the skin can still be switched on";

  const std::wstring path = testing_support::ArtifactPath(L"skin", L"copy.skn");
  WriteFile(path, embedded);
  TSkinData fromFile(nullptr);
  EXPECT_TRUE(fromFile.SetSkinFile(path));
  EXPECT_EQ(fromFile.SkinFile(), path);
  EXPECT_FALSE(fromFile.SkinMissing());
  EXPECT_EQ(fromFile.SkinBytes(), embedded);
  EXPECT_NE(fromFile.Elements().MenuItem, nullptr);
  EXPECT_FALSE(fromFile.SetSkinFile(L""));
  EXPECT_TRUE(fromFile.SkinFile().empty());
  EXPECT_FALSE(fromFile.SkinMissing()) << "an empty name only forgets the file";
}

TEST(SkinComponent, CaptionHintShowsOnlyWithItsOption) {
  TSkinData data(nullptr);
  data.ShowCaptionHint({100, 100, 120, 120}, L"Close");
  HWND hint = ::FindWindowW(L"TSkinCaptionHint", nullptr);
  ASSERT_NE(hint, nullptr);
  EXPECT_TRUE(::IsWindowVisible(hint));
  RECT r;
  ::GetWindowRect(hint, &r);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 100);
  data.HideCaptionHint();
  EXPECT_FALSE(::IsWindowVisible(hint));
  data.Options.Exclude(skin::xoCaptionButtonHint);
  data.ShowCaptionHint({10, 10, 20, 20}, L"Close");
  EXPECT_FALSE(::IsWindowVisible(hint));
}

TEST(SkinComponent, ApplicationIconIsTheWindowsSmallIconOnMagenta) {
  TSkinData data(nullptr);
  HWND wnd = ::CreateWindowExW(0, L"STATIC", L"icon", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
  data.CaptureApplicationIcon(wnd);
  EXPECT_TRUE(data.ApplicationIcon().Empty()) << "no icon: the bitmap stays as it was";
  ::SendMessageW(
      wnd, WM_SETICON, ICON_SMALL,
      reinterpret_cast<LPARAM>(::LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_WARNING))));
  data.CaptureApplicationIcon(wnd);
  const fw::TBitmap& icon = data.ApplicationIcon();
  ASSERT_EQ(icon.Width(), ::GetSystemMetrics(SM_CXSMICON));
  EXPECT_TRUE(icon.Transparent);
  int magenta = 0, other = 0;
  for (int y = 0; y < icon.Height(); ++y)
    for (int x = 0; x < icon.Width(); ++x)
      ((icon.At(x, y) & 0xFFFFFF) == fw::kMagentaPixel ? magenta : other)++;
  EXPECT_GT(magenta, 0) << "the icon's transparent parts";
  EXPECT_GT(other, 0) << "the icon itself";
  ::DestroyWindow(wnd);
}

} // namespace

namespace {

// A form description holding a skin component with the program's skin, as the main form's does.
std::string DescriptionWithSkin(const std::vector<std::uint8_t>& value) {
  static const char digits[] = "0123456789ABCDEF";
  std::string hex;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (i % 32 == 0) hex += "\n      ";
    hex += digits[value[i] >> 4];
    hex += digits[value[i] & 15];
  }
  return "object SkinForm: TForm\n"
         "  Caption = 'skin'\n"
         "  object SkinData1: TSkinData\n"
         "    Active = True\n"
         "    DisableTag = 99\n"
         "    SkinControls = [xcMainMenu, xcPopupMenu, xcToolbar, xcControlbar, xcCombo, "
         "xcCheckBox, xcRadioButton, xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, "
         "xcSpeedButton, xcSpin, xcPanel, xcGroupBox, xcStatusBar, xcTab, xcTrackBar, "
         "xcSystemMenu]\n"
         "    Options = [xoPreview, xoToolbarBK, xoCaptionButtonHint]\n"
         "    Skin3rd.Strings = (\n      'TCategoryButtons=scrollbar'\n      'TMine=button')\n"
         "    SkinStore = '(Good)'\n"
         "    SkinFormtype = sfMainform\n"
         "    Version = '5.40.07.15'\n"
         "    MenuUpdate = True\n"
         "    MenuMerge = False\n"
         "    SkinStream = {" +
         hex + "}\n  end\nend\n";
}

TEST(SkinComponentInForm, AFormDescriptionLoadsTheSkinAndRoundTripsSkinStream) {
  skin::RegisterSkinDataClass();
  ManagerRecorder manager;
  const std::vector<std::uint8_t> value =
      skin::WriteSkinStreamValue(testing_support::RcDataResource(L"RECORDERSKIN"));
  fw::TForm form(nullptr);
  form.InitFromText(DescriptionWithSkin(value));
  auto* data = dynamic_cast<TSkinData*>(form.FindComponent(L"SkinData1"));
  ASSERT_NE(data, nullptr);
  EXPECT_TRUE(data->Active());
  EXPECT_FALSE(data->SkinMissing()) << "the skin was decoded while the form was read";
  EXPECT_NE(data->Elements().ComboButton, nullptr);
  EXPECT_EQ(data->Skin3rd().size(), 2u);
  EXPECT_EQ(data->SkinStore(), L"(none)");
  EXPECT_EQ(data->Version(), L"5.40.07.15");
  EXPECT_TRUE(Has(manager.calls, "action 1 after 250")) << "Loaded asked to switch skinning on";
  EXPECT_EQ(std::count(manager.calls.begin(), manager.calls.end(), "action 1 after 250"), 1)
      << "setting Active while reading requested nothing";
  const fw::TPropInfo* stream = fw::FindProperty(*data, L"SkinStream");
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(stream->GetBinary(*data), value) << "the property writes what it read";
  EXPECT_EQ(fw::GetEnumProp(*data, L"SkinFormtype"), std::wstring(L"sfMainform"));
  EXPECT_EQ(fw::GetOrdProp(*data, L"DisableTag"), 99);
}

// A truncated SkinStream must not stop the form (and so the program) from starting: the form is
// read, and the skin component ends inactive without asking for skinning.
TEST(SkinComponentInForm, ATruncatedSkinStreamLeavesTheFormUnskinnedInsteadOfStoppingIt) {
  skin::RegisterSkinDataClass();
  const std::vector<std::uint8_t> skinFile = testing_support::RcDataResource(L"RECORDERSKIN");
  const std::vector<std::uint8_t> value = skin::WriteSkinStreamValue(skinFile);
  const std::vector<std::uint8_t> cutFile(skinFile.begin(), skinFile.begin() + 3);
  const std::vector<std::uint8_t> halfFile(skinFile.begin(),
                                           skinFile.begin() + skinFile.size() / 2);
  const struct {
    const char* what;
    std::vector<std::uint8_t> stored;
  } cases[] = {
      {"value cut short of its length", {value.begin(), value.begin() + value.size() / 2}},
      {"value cut inside its length field", {value.begin(), value.begin() + 2}},
      {"skin file cut inside its size field", skin::WriteSkinStreamValue(cutFile)},
      {"skin file cut in half, the length fitting the cut", skin::WriteSkinStreamValue(halfFile)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ManagerRecorder manager;
    fw::TForm form(nullptr);
    ASSERT_NO_THROW(form.InitFromText(DescriptionWithSkin(c.stored)));
    auto* data = dynamic_cast<TSkinData*>(form.FindComponent(L"SkinData1"));
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->SkinMissing());
    EXPECT_FALSE(data->Active());
    EXPECT_FALSE(Has(manager.calls, "action 1 after 250"));
    EXPECT_TRUE(Has(manager.calls, "register")) << "Loaded still ran";
  }
}

TEST(SkinComponentInForm, AnEmptySkinStreamLeavesTheComponentInactive) {
  skin::RegisterSkinDataClass();
  ManagerRecorder manager;
  fw::TForm form(nullptr);
  form.InitFromText(DescriptionWithSkin({0, 0, 0, 0}));
  auto* data = dynamic_cast<TSkinData*>(form.FindComponent(L"SkinData1"));
  ASSERT_NE(data, nullptr);
  EXPECT_TRUE(data->SkinMissing());
  EXPECT_FALSE(data->Active());
  EXPECT_FALSE(Has(manager.calls, "action 1 after 250"));
}

} // namespace
