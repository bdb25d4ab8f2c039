// The skinning engine under run-time skin changes. The gallery (a control of every kind the skin
// paints, a menu bar, speed buttons on containers) is switched between the program's own skin
// (Lanlin Lake), the second skin we ship (Inkstone, read from its file as a user chooses it) and
// no skin, 200 times, the way the program's skin choice does it (SetSkinFile, the embedded skin
// read anew, SetActive); each request is carried out at once instead of 250 ms later. A switch
// runs while a drop-down of the menu bar is open, while the memo's scroll thumb is being dragged,
// or with nothing going on, and between the switches a control is destroyed and another made in
// its place (now and then a control's window is made again). Afterwards every control shows the
// last skin's pixels as a fresh skin of it does, the private memory stayed flat over the first
// half, nothing was written after it was freed (the second half runs under the freed-memory
// check) and no GDI object was deleted while still selected. Figures go to the output.
#include "framework/sysutils.h"
#include "skin/controls/scroll_bar.h"
#include "skin/data/core/skin_stream.h"
#include "skin/forms/skin_manager.h"
#include "tests/windows/skin_controls/gallery.h"
#include "tests/windows/support/freed_memory.h"
#include "tests/windows/support/gdi_selection_watch.h"
#include "tests/windows/support/program_skin.h"
#include "tests/windows/support/test_support.h"

#include <gtest/gtest.h>

#include <windows.h>
// windows.h first: psapi.h relies on its types.
#include <psapi.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

using namespace skin;
using testing_support::PumpFor;
using testing_support::PumpUntil;

namespace {

constexpr int kSwitches = 200;
// Memory is sampled in the first half, after a warm-up, and before the freed-memory check runs:
// the blocks its quarantine held go back to the heap as free room, in which a leak would grow
// unseen.
constexpr int kMemoryFrom = 40;
constexpr int kCheckFrom = kSwitches / 2;
constexpr double kMemoryGrowthLimitMb = 4.0;

enum class TLook { Lanlin, Inkstone, Off };
// Inkstone, Lanlin Lake, none, and again: the last switch is a change between the two skins.
constexpr TLook kLooks[3] = {TLook::Inkstone, TLook::Lanlin, TLook::Off};
enum class TActivity { DropDown, ThumbDrag, Nothing };

// The build's second skin file, as a Windows path.
std::wstring SecondSkinPath() {
  std::wstring path = L"Z:" + fw::Utf8ToWide(SECOND_SKIN_FILE);
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

// Private bytes: the commit charge (Wine 8 reports it as PagefileUsage, PrivateUsage stays 0).
double PrivateMegabytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  return static_cast<double>(counters.PagefileUsage) / (1 << 20);
}

// Switches the component's skin as the program's skin choice does; the manager carries the
// request out at once. When one skin replaces another, `window` is painted first with the new skin
// loaded but not yet taken up (what a user sees for 250 ms). Counts the switches carried out.
class TSkinSwitcher {
public:
  explicit TSkinSwitcher(TSkinData& data) : data_(data), embedded_(data.SkinBytes()) {
    data_.OnSkinChanged = [this](fw::TObject*) { ++done_; };
  }
  void Request(TLook look, HWND window) {
    const bool replacing = look != TLook::Off && data_.Active();
    switch (look) {
    case TLook::Inkstone:
      data_.SetSkinFile(second_);
      break;
    case TLook::Lanlin:
      data_.SetSkinFile(L""); // the skin comes from the bytes, not from a file
      data_.ReadSkinStream(WriteSkinStreamValue(embedded_));
      data_.ApplySkinChange();
      break;
    case TLook::Off:
      data_.SetActive(false);
      break;
    }
    if (look != TLook::Off && !data_.Active()) data_.SetActive(true);
    if (replacing)
      ::RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    TSkinManage* manager = SkinManager();
    manager->Request(&data_, manager->PendingAction, 1);
  }
  int Done() const { return done_; }
  bool Missing() const { return data_.SkinMissing(); }

private:
  TSkinData& data_;
  const std::vector<std::uint8_t> embedded_;
  const std::wstring second_ = SecondSkinPath();
  int done_ = 0;
};

// A thread timer's procedure: it also runs inside the modal loops of menus and scroll bars.
struct TTicker {
  static inline std::function<void()> tick;
  static void CALLBACK Proc(HWND, UINT, UINT_PTR, DWORD) {
    if (tick) tick();
  }
};

bool MenuOpen() {
  HWND popup = ::FindWindowW(L"#32768", nullptr);
  return popup && ::IsWindowVisible(popup);
}

// The part of the screen a control shows.
RECT ScreenRectOf(fw::TControl* control) {
  RECT r{};
  if (auto* windowed = dynamic_cast<fw::TWinControl*>(control)) {
    ::GetWindowRect(windowed->Handle(), &r);
  } else if (fw::TWinControl* parent = control->Parent()) {
    POINT o{control->Left(), control->Top()};
    ::ClientToScreen(parent->Handle(), &o);
    r = {o.x, o.y, o.x + control->Width(), o.y + control->Height()};
  }
  return r;
}

int DifferingPixels(const fw::TBitmap& a, const fw::TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return a.Width() * a.Height();
  int n = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      n += (a.At(x, y) & 0xFFFFFF) != (b.At(x, y) & 0xFFFFFF);
  return n;
}

int MagentaPixels(const fw::TBitmap& shot) {
  int n = 0;
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x)
      n += (shot.At(x, y) & 0xFFFFFF) == fw::kMagentaPixel;
  return n;
}

class SkinStress : public ::testing::Test {
protected:
  void SetUp() override {
    ::SetCursorPos(1270, 1010); // nothing is hot
    data = testing_support::ReadProgramSkin();
    testing_support::TGallery::PrepareSkin(*data);
    data->Loaded();
    ASSERT_FALSE(data->SkinMissing());
    switcher = std::make_unique<TSkinSwitcher>(*data);
    gallery = std::make_unique<testing_support::TGallery>();
    ASSERT_TRUE(PumpUntil([&] { return Skinned(); }, 3000));
    PumpFor(200);
  }
  void TearDown() override {
    gallery.reset();
    switcher.reset();
    data.reset();
  }

  HWND Form() { return gallery->Form().Handle(); }
  bool Skinned() { return SkinManager()->FindSkinForm(Form()) != nullptr; }

  // The memo's vertical overlay while the memo is skinned, else null.
  HWND MemoOverlay() {
    TWinSkinForm* formSkin = SkinManager()->FindSkinForm(Form());
    if (!formSkin) return nullptr;
    for (const auto& skin : formSkin->Controls())
      if (auto* bars = dynamic_cast<TSkinScrollbar*>(skin.get()))
        if (bars->Handle() == gallery->Memo()->Handle() && bars->VertBar())
          return bars->VertBar()->Handle();
    return nullptr;
  }

  bool LoopOpen(TActivity activity) {
    switch (activity) {
    case TActivity::DropDown:
      return MenuOpen();
    case TActivity::ThumbDrag:
      return ::GetCapture() == gallery->Memo()->Handle();
    default:
      return true;
    }
  }

  // The drop-down opens (Alt+F), or the memo's thumb is pressed: both run a modal loop.
  void Start(TActivity activity) {
    if (activity == TActivity::DropDown) {
      ::PostMessageW(Form(), WM_SYSCOMMAND, SC_KEYMENU, 'f');
    } else if (activity == TActivity::ThumbDrag) {
      HWND memo = gallery->Memo()->Handle();
      SCROLLBARINFO info{};
      info.cbSize = sizeof info;
      ::GetScrollBarInfo(memo, OBJID_VSCROLL, &info);
      const int y = info.xyThumbTop + 3;
      if (HWND overlay = MemoOverlay())
        ::SendMessageW(overlay, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, y));
      else
        ::SendMessageW(memo, WM_NCLBUTTONDOWN, HTVSCROLL,
                       MAKELPARAM(info.rcScrollBar.left + 3, info.rcScrollBar.top + y));
    }
  }

  void End(TActivity activity) {
    if (activity == TActivity::DropDown) ::EndMenu();
    if (activity == TActivity::ThumbDrag)
      ::PostMessageW(gallery->Memo()->Handle(), WM_LBUTTONUP, 0, 0);
  }

  // Switches to `look` while `activity` runs; true when the switch ran inside its loop.
  bool SwitchDuring(TActivity activity, TLook look) {
    const int before = switcher->Done();
    bool requested = false, inside = false, ended = false;
    int ticks = 0, endedAt = 0;
    TTicker::tick = [&] {
      ++ticks;
      if (!requested && (LoopOpen(activity) || ticks > 100)) {
        requested = true;
        inside = LoopOpen(activity);
        switcher->Request(look, Form());
      } else if (requested && !ended && switcher->Done() > before) {
        ended = true;
        endedAt = ticks;
        End(activity);
      } else if (ended && activity != TActivity::Nothing && LoopOpen(activity) &&
                 (ticks - endedAt) % 50 == 0) {
        End(activity); // as a user would, once more: the loop is still open
        ++extraEnds;
      }
    };
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, TTicker::Proc);
    Start(activity);
    const bool finished =
        PumpUntil([&] { return ended && !MenuOpen() && ::GetCapture() == nullptr; }, 8000);
    ::KillTimer(nullptr, timer);
    TTicker::tick = nullptr;
    EXPECT_TRUE(finished) << "switch " << static_cast<int>(look);
    return inside;
  }

  // Destroys the control made last and makes another kind in its place; now and then the list
  // box's window is made again.
  void RemakeControl(int cycle) {
    delete made;
    fw::TForm& form = gallery->Form();
    switch (cycle % 4) {
    case 0:
      made = new fw::TButton(&form);
      made->SetText(L"Made again");
      break;
    case 1:
      made = new fw::TCheckBox(&form);
      made->SetText(L"Made again");
      break;
    case 2: {
      auto* list = new fw::TListBox(&form);
      list->SetItems({L"one", L"two", L"three", L"four", L"five", L"six", L"seven"});
      made = list;
      break;
    }
    default: {
      auto* combo = new fw::TComboBox(&form);
      combo->SetItems({L"Made again", L"two"});
      combo->SetItemIndex(0);
      made = combo;
      break;
    }
    }
    made->SetParent(&form);
    made->SetBounds(10, 414, 170, cycle % 4 == 2 ? 50 : 24);
    made->Handle(); // its window, inside the skinned form (the framework makes windows when asked)
    if (cycle % 7 == 3)
      for (fw::TWinControl* control : gallery->Windowed())
        if (dynamic_cast<fw::TListBox*>(control)) control->RecreateWnd();
  }

  // What every control (and speed button) shows now, the cursor and the focus out of the way.
  std::vector<fw::TBitmap> Pictures() {
    ::SetCursorPos(1270, 1010);
    gallery->Windowed().front()->SetFocus();
    ::RedrawWindow(Form(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(400);
    std::vector<fw::TBitmap> pictures;
    for (fw::TControl* control : Pictured())
      pictures.push_back(testing_support::ScreenPixels(ScreenRectOf(control)));
    return pictures;
  }
  // The controls that answer SM_ISSKINNED while skinned.
  std::vector<fw::TControl*> Controls() {
    std::vector<fw::TControl*> all(gallery->Windowed().begin(), gallery->Windowed().end());
    all.insert(all.end(), gallery->Speeds().begin(), gallery->Speeds().end());
    if (made) all.push_back(made);
    return all;
  }
  // ... and the glyph check box.
  std::vector<fw::TControl*> Pictured() {
    std::vector<fw::TControl*> all = Controls();
    all.push_back(gallery->GlyphCheck());
    return all;
  }

  std::unique_ptr<TSkinData> data;
  std::unique_ptr<TSkinSwitcher> switcher;
  std::unique_ptr<testing_support::TGallery> gallery;
  fw::TWinControl* made = nullptr;
  int extraEnds = 0; // loops that needed ending twice
  TSkinManagerScope scope;
};

TEST_F(SkinStress, TwoHundredSwitchesUnderDropDownsDragsAndRemadeControls) {
  testing_support::TGdiSelectionWatch watch;
  ASSERT_TRUE(watch.Watching());
  int insideMenus = 0, insideDrags = 0, dropDowns = 0, drags = 0;
  std::vector<double> memory;
  const double started = testing_support::MillisecondsNow();
  {
    std::optional<testing_support::TFreedMemoryCheck> freed;
    for (int i = 0; i < kSwitches; ++i) {
      if (i == kCheckFrom) freed.emplace();
      RemakeControl(i);
      const TActivity activity = static_cast<TActivity>((i + i / 3) % 3);
      const bool inside = SwitchDuring(activity, kLooks[i % 3]);
      if (activity == TActivity::DropDown) dropDowns += 1, insideMenus += inside;
      if (activity == TActivity::ThumbDrag) drags += 1, insideDrags += inside;
      ASSERT_FALSE(switcher->Missing()) << "switch " << i;
      if (i >= kMemoryFrom && i < kCheckFrom && i % 10 == 0) memory.push_back(PrivateMegabytes());
    }
    EXPECT_EQ(freed->WrittenAfterFree(), 0) << "second half";
  }
  const double seconds = (testing_support::MillisecondsNow() - started) / 1000;
  std::printf("%d switches in %.1f s; switched inside %d of %d drop-downs and %d of %d drags; "
              "%d loops ended twice\n",
              kSwitches, seconds, insideMenus, dropDowns, insideDrags, drags, extraEnds);
  EXPECT_GE(insideMenus, dropDowns * 9 / 10);
  EXPECT_GE(insideDrags, drags * 9 / 10);
  std::printf("private MB from switch %d:", kMemoryFrom);
  for (double mb : memory)
    std::printf(" %.1f", mb);
  std::printf("\n");
  ASSERT_GE(memory.size(), 6u);
  // The last two samples against the first two: a leak of a skin object per switch would add
  // up to megabytes over the 40 switches between them.
  const double growth =
      (memory[memory.size() - 1] + memory[memory.size() - 2]) / 2 - (memory[0] + memory[1]) / 2;
  std::printf("private memory grew by %.2f MB over switches %d to %d\n", growth, kMemoryFrom,
              kCheckFrom - 1);
  EXPECT_LT(growth, kMemoryGrowthLimitMb);

  // The last switch went to Lanlin Lake: every control is skinned and shows what a fresh skin
  // of Lanlin Lake shows, which is not what Inkstone shows.
  ASSERT_TRUE(Skinned());
  for (fw::TControl* control : Controls()) {
    auto* windowed = dynamic_cast<fw::TWinControl*>(control);
    auto* graphic = dynamic_cast<fw::TGraphicControl*>(control);
    EXPECT_EQ(windowed ? windowed->Perform(SM_ISSKINNED) : graphic->Perform(SM_ISSKINNED), 1)
        << fw::WideToUtf8(control->ClassName()) << (control == made ? " (made last)" : "");
  }
  const std::vector<fw::TBitmap> stressed = Pictures();
  testing_support::SaveWindowPng(Form(), 0, L"skin_stress", L"gallery_after_switches.png");
  SwitchDuring(TActivity::Nothing, TLook::Off);
  SwitchDuring(TActivity::Nothing, TLook::Inkstone);
  const std::vector<fw::TBitmap> inkstone = Pictures();
  testing_support::SaveWindowPng(Form(), 0, L"skin_stress", L"gallery_inkstone.png");
  SwitchDuring(TActivity::Nothing, TLook::Off);
  SwitchDuring(TActivity::Nothing, TLook::Lanlin);
  const std::vector<fw::TBitmap> fresh = Pictures();
  const std::vector<fw::TControl*> controls = Pictured();
  for (size_t c = 0; c < controls.size(); ++c) {
    const std::string name = fw::WideToUtf8(controls[c]->ClassName());
    const int area = stressed[c].Width() * stressed[c].Height();
    const int unlike = DifferingPixels(stressed[c], fresh[c]);
    const int other = DifferingPixels(stressed[c], inkstone[c]);
    std::printf("%-18s %6d pixels: %5d differ from a fresh Lanlin Lake, %5d from Inkstone\n",
                name.c_str(), area, unlike, other);
    EXPECT_LE(unlike, std::max(12, area / 100)) << name;
    EXPECT_GT(other, std::max(unlike, 20)) << name;
    EXPECT_EQ(MagentaPixels(stressed[c]), 0) << name;
  }
  EXPECT_EQ(watch.DeletedWhileSelected(), 0);
}

} // namespace
