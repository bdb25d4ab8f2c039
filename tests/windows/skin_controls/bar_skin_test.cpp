// Group boxes, boxes, track bars, up-downs and progress bars on real windows, painted from a
// purpose-made skin whose images are solid colours, checked on the screen's pixels: our controls
// (control mode, found by the window skin's discovery) and bare windows (window mode).
#include "framework/comctrls.h"
#include "framework/form.h"
#include "framework/stdctrls.h"
#include "skin/controls/box.h"
#include "skin/controls/group_box.h"
#include "skin/controls/progress.h"
#include "skin/controls/track_bar.h"
#include "skin/controls/up_down.h"
#include "skin/data/core/skin_colours.h"
#include "skin/forms/win_skin_form.h"
#include "tests/windows/skin_controls/screen_checks.h"
#include "tests/windows/support/test_support.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace skin;
using testing_support::ScreenPixel;
using namespace skin_tests;

namespace {

constexpr COLORREF kFace = RGB(210, 190, 150);
constexpr COLORREF kShadow = RGB(90, 60, 30);
constexpr COLORREF kText = RGB(0, 0, 0);
constexpr COLORREF kTrack = RGB(0, 120, 255);
constexpr COLORREF kTrackVert = RGB(255, 120, 0);
constexpr COLORREF kProgressBack = RGB(40, 200, 40);
constexpr COLORREF kProgressBar = RGB(200, 40, 200);
constexpr COLORREF kChunk = RGB(30, 30, 160);
constexpr COLORREF kGlyph = RGB(250, 250, 0);

// Cell c (1-based) of a strip in a colour of its own.
COLORREF CellColour(int cell) {
  return RGB(25 * cell, 255 - 25 * cell, 60 + 10 * cell);
}

TBitmap Solid(int width, int height, COLORREF colour) {
  TBitmap b(width, height);
  b.Fill(AsPixel(colour));
  return b;
}

TBitmap Cells(int cells, int width, int height, COLORREF (*colour)(int)) {
  TBitmap b(cells * width, height);
  for (int c = 0; c < cells; ++c)
    b.FillRect({c * width, 0, (c + 1) * width, height}, AsPixel(colour(c + 1)));
  return b;
}

// Glyph cells: a 4 × 4 square of kGlyph on magenta.
TBitmap Glyphs(int cells) {
  TBitmap b(cells * 8, 8);
  b.Fill(fw::kMagentaPixel);
  for (int c = 0; c < cells; ++c)
    b.FillRect({c * 8 + 2, 2, c * 8 + 6, 6}, AsPixel(kGlyph));
  return b;
}

template <class T> std::unique_ptr<T> Element(const char* name, TBitmap bitmap, int frames) {
  auto e = std::make_unique<T>(name);
  e->Bitmap = std::move(bitmap);
  e->FrameCount = frames;
  return e;
}

struct BarSkin {
  BarSkin() {
    elements.ColourTable.Colours[kButtonFace] = kFace;
    elements.ColourTable.Colours[kButtonShadow] = kShadow;
    elements.ColourTable.Colours[kButtonText] = kText;
    elements.ColourTable.Colours[kButtonDkShadow] = RGB(0, 0, 0);
    elements.Track = Element<TDataSkinObject>("Track", Solid(20, 4, kTrack), 1);
    elements.Track->LeftWidth = elements.Track->RightWidth = 3;
    elements.TrackVert = Element<TDataSkinObject>("TRACKVERT", Solid(4, 20, kTrackVert), 1);
    elements.TrackVert->TopHeight = elements.TrackVert->BottomHeight = 3;
    elements.TrackbarThumbHorz =
        Element<TDataSkinObject>("Trackbar.ThumbHorz", Cells(5, 10, 18, CellColour), 5);
    elements.UpDownVert = Element<TDataSkinBorder>("UpDown.Vert", Cells(8, 12, 10, CellColour), 8);
    elements.UpDownVert->Bitmap2 = Glyphs(8);
    elements.UpDownHorz = Element<TDataSkinBorder>("UpDown.Horz", Cells(8, 10, 12, CellColour), 8);
    SetBarProgress(false);
  }
  // Frame 1 the background, frame 2 the bar; or one frame and a chunk image.
  void SetBarProgress(bool chunks, int chunkTile = 0) {
    TBitmap two(40, 10);
    two.FillRect({0, 0, 20, 10}, AsPixel(kProgressBack));
    two.FillRect({20, 0, 40, 10}, AsPixel(kProgressBar));
    elements.Progress = Element<TDataSkinBorder>(
        "Progress", chunks ? Solid(20, 10, kProgressBack) : std::move(two), chunks ? 1 : 2);
    elements.Progress->Style = chunks ? 1 : 0;
    elements.Progress->Trans = 1;
    elements.ProgressChunk.reset();
    if (chunks) {
      elements.ProgressChunk = Element<TDataSkinObject>("Progress.Chunk", Solid(6, 8, kChunk), 1);
      elements.ProgressChunk->Tile = chunkTile;
    }
  }
  TFormSkinSource Source() const { return {&elements, DefaultSkinControls(), {}, nullptr}; }
  TControlSkinSource ControlSource() const { return {&elements, {}}; }
  TSkinElements elements;
};

// A pixel of a window's client area.
COLORREF ClientAt(HWND wnd, int x, int y) {
  POINT p{x, y};
  ::ClientToScreen(wnd, &p);
  return ScreenPixel(p.x, p.y);
}

SIZE WindowSize(HWND wnd) {
  RECT r;
  ::GetWindowRect(wnd, &r);
  return {r.right - r.left, r.bottom - r.top};
}

// How many pixels of a row (window coordinates x0..x1) have a colour.
int CountInRow(HWND wnd, int y, int x0, int x1, COLORREF colour) {
  const POINT o = Origin(wnd);
  const TBitmap shot = testing_support::ScreenPixels({o.x + x0, o.y + y, o.x + x1, o.y + y + 1});
  int n = 0;
  for (int x = 0; x < shot.Width(); ++x)
    n += (shot.At(x, 0) & 0xFFFFFF) == AsPixel(colour);
  return n;
}

// The rightmost column (window coordinates) of a rectangle holding a colour; -1 when none.
int RightmostOf(HWND wnd, RECT area, COLORREF colour) {
  const POINT o = Origin(wnd);
  const TBitmap shot = testing_support::ScreenPixels(
      {o.x + area.left, o.y + area.top, o.x + area.right, o.y + area.bottom});
  int right = -1;
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x)
      if ((shot.At(x, y) & 0xFFFFFF) == AsPixel(colour))
        right = std::max(right, x + static_cast<int>(area.left));
  return right;
}

RECT Rect(HWND wnd, UINT message) {
  RECT r{};
  ::SendMessageW(wnd, message, 0, reinterpret_cast<LPARAM>(&r));
  return r;
}

// --- Our controls on a skinned form.

class BarSkins : public ::testing::Test {
protected:
  void SetUp() override {
    form = std::make_unique<fw::TForm>(nullptr);
    form->SetCaption(L"Bar skins");
    form->SetBounds(40, 40, 640, 520);
    group = Add<fw::TGroupBox>(form.get(), 10, 10, 300, 150);
    group->SetText(L"Group 组");
    group->Font().SetHeight(16);
    label = Add<fw::TLabel>(group, 16, 100, 120, 20);
    label->SetText(L"0");
    edit = Add<fw::TEdit>(group, 160, 100, 100, 24);
    track = Add<fw::TTrackBar>(group, 10, 40, 280, 40);
    track->SetMax(10);
    track->OnChange = [this](fw::TObject*) { label->SetText(std::to_wstring(track->Position())); };
    rightGroup = Add<fw::TGroupBox>(form.get(), 320, 10, 300, 80);
    rightGroup->SetText(L"Right");
    upDown = Add<fw::TUpDown>(form.get(), 330, 100, 16, 40);
    upDown->SetPosition(5);
    sideways = Add<fw::TUpDown>(form.get(), 360, 100, 40, 16);
    sideways->Orientation = fw::udHorizontal;
    upOff = Add<fw::TUpDown>(form.get(), 410, 100, 16, 40);
    upOff->SetEnabled(false);
    for (int i = 0; i < 6; ++i)
      bars[i] = Add<fw::TProgressBar>(form.get(), 10, 180 + 30 * i, 200, 20);
    bars[1]->SetPosition(50);
    bars[2]->SetPosition(100);
    bars[3]->SetMin(20);
    bars[3]->SetMax(120);
    bars[3]->SetPosition(70);
    bars[4]->SetMin(-100);
    bars[4]->SetPosition(0);
    bars[5]->SetPosition(100);
    bars[5]->SetMax(0); // an upper limit of 0: nothing filled
    boxed = Add<fw::TLabel>(form.get(), 320, 420, 120, 30);
    boxed->SetColor(static_cast<fw::TColor>(kOwnColour));
    tall = Add<fw::TProgressBar>(form.get(), 240, 180, 20, 200);
    tall->Orientation = fw::pbVertical;
    tall->SetPosition(25);
    form->Show();
    ::SetWindowLongW(rightGroup->Handle(), GWL_EXSTYLE,
                     ::GetWindowLongW(rightGroup->Handle(), GWL_EXSTYLE) | WS_EX_RIGHT);
    ::SetForegroundWindow(form->Handle());
    Pump();
    formSkin = StartFormSkin(form->Handle(), skin.Source());
    ASSERT_TRUE(formSkin);
  }
  void TearDown() override {
    formSkin.reset();
    form.reset();
  }
  template <class T> T* Add(fw::TWinControl* parent, int left, int top, int width, int height) {
    auto* control = new T(form.get());
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
  }
  void SkinChanged() {
    ::SendMessageW(form->Handle(), SM_SKINCHANGED, 0, 0);
    Pump();
  }

  BarSkin skin;
  std::unique_ptr<fw::TForm> form;
  std::unique_ptr<TWinSkinForm> formSkin;
  fw::TGroupBox *group, *rightGroup;
  static constexpr COLORREF kOwnColour = RGB(10, 200, 10);
  fw::TLabel *label, *boxed;
  fw::TEdit* edit;
  fw::TTrackBar* track;
  fw::TUpDown *upDown, *sideways, *upOff;
  fw::TProgressBar* bars[6];
  fw::TProgressBar* tall;
};

TEST_F(BarSkins, GroupBoxFrameCaptionAndChildren) {
  testing_support::SaveWindowShot(form->Handle(), 10, L"skin_controls", L"bars_control_mode.bmp");
  HWND g = group->Handle();
  for (fw::TGroupBox* c : {group, rightGroup})
    EXPECT_EQ(::SendMessageW(c->Handle(), SM_ISSKINNED, 0, 0), 1);
  // A font whose text is 16 pixels high (the cell height asked for is not always the one got).
  auto textHeight = [&] {
    fw::WindowDC dc(g);
    fw::SelectGuard font(dc.get(), group->Font().Handle());
    SIZE zero{};
    ::GetTextExtentPoint32A(dc.get(), "0", 1, &zero);
    return zero.cy;
  };
  for (int height = 16; textHeight() > 16 && height > 8;)
    group->Font().SetHeight(--height);
  ASSERT_EQ(textHeight(), 16);
  ::RedrawWindow(g, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Pump();
  const SIZE size = WindowSize(g);
  // The rounded frame: its top line on row 7, clear of the caption at the right.
  EXPECT_EQ(At(g, size.cx - 20, 7), kShadow);
  EXPECT_EQ(At(g, size.cx - 20, 6), kFace);
  EXPECT_EQ(At(g, size.cx - 20, 8), kFace);
  EXPECT_EQ(At(g, 1, size.cy / 2), kShadow);
  EXPECT_EQ(At(g, size.cx - 2, size.cy / 2), kShadow);
  // The caption stands on the face colour and cuts the line.
  EXPECT_EQ(CountInRow(g, 7, 8, 40, kShadow), 0);
  EXPECT_GT(RightmostOf(g, {8, 0, 120, 16}, kText), 20);
  // Right-aligned: the caption ends 8 pixels from the right edge.
  HWND r = rightGroup->Handle();
  const int right = RightmostOf(r, {0, 0, WindowSize(r).cx, 14}, kText);
  EXPECT_GE(right, WindowSize(r).cx - 8 - 3);
  EXPECT_LT(right, WindowSize(r).cx - 8);
  // The children survive the group box's paint: the label on the face colour, the edit white.
  ::RedrawWindow(g, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  Pump();
  EXPECT_EQ(ClientAt(label->Handle(), 60, 10), kFace);
  EXPECT_GT(RightmostOf(label->Handle(), {0, 0, 30, 20}, kText), 0);
  EXPECT_EQ(ClientAt(edit->Handle(), 80, 10), RGB(255, 255, 255));
}

TEST_F(BarSkins, TrackBarChannelAndThumbFromTheSkinInEveryState) {
  HWND t = track->Handle();
  EXPECT_EQ(::SendMessageW(t, SM_ISSKINNED, 0, 0), 1);
  track->SetPosition(5);
  Pump();
  const RECT channel = Rect(t, TBM_GETCHANNELRECT);
  const RECT thumb = Rect(t, TBM_GETTHUMBRECT);
  const int middleY = (thumb.top + thumb.bottom) / 2, middleX = (thumb.left + thumb.right) / 2;
  EXPECT_EQ(ClientAt(t, channel.left + 10, (channel.top + channel.bottom) / 2), kTrack);
  EXPECT_EQ(ClientAt(t, middleX, middleY), CellColour(2));
  // The background is the face colour (the track bar asked its group box).
  EXPECT_EQ(ClientAt(t, 1, 1), kFace);
  // Hot, dragged, disabled: still cell 2; the drag moves the position and the label follows.
  ::SendMessageW(t, WM_MOUSEMOVE, 0, MAKELPARAM(middleX, middleY));
  Pump();
  EXPECT_EQ(ClientAt(t, middleX, middleY), CellColour(2));
  ::SendMessageW(t, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(middleX, middleY));
  ::SendMessageW(t, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(channel.right - 2, middleY));
  Pump();
  const RECT dragged = Rect(t, TBM_GETTHUMBRECT);
  EXPECT_EQ(ClientAt(t, (dragged.left + dragged.right) / 2, middleY), CellColour(2));
  testing_support::SaveWindowShot(form->Handle(), 10, L"skin_controls", L"track_dragged.bmp");
  ::SendMessageW(t, WM_LBUTTONUP, 0, MAKELPARAM(channel.right - 2, middleY));
  Pump();
  EXPECT_EQ(track->Position(), 10);
  EXPECT_EQ(label->Text(), L"10");
  ::SendMessageW(t, WM_KEYDOWN, VK_HOME, 0);
  Pump();
  EXPECT_EQ(track->Position(), 0);
  EXPECT_EQ(label->Text(), L"0");
  ::SendMessageW(t, WM_KEYDOWN, VK_END, 0);
  Pump();
  EXPECT_EQ(label->Text(), L"10");
  track->SetEnabled(false);
  Pump();
  const RECT last = Rect(t, TBM_GETTHUMBRECT);
  EXPECT_EQ(ClientAt(t, (last.left + last.right) / 2, middleY), CellColour(2));
  // Skin off: the system's own channel and thumb again.
  ::SendMessageW(t, SM_SKINENABLE, 0, 0);
  Pump();
  EXPECT_NE(ClientAt(t, (last.left + last.right) / 2, middleY), CellColour(2));
  EXPECT_NE(ClientAt(t, channel.left + 10, (channel.top + channel.bottom) / 2), kTrack);
}

TEST_F(BarSkins, UpDownCellsFollowStateAndLayout) {
  HWND u = upDown->Handle();
  EXPECT_EQ(::SendMessageW(u, SM_ISSKINNED, 0, 0), 1);
  ::SetCursorPos(5, 5); // away
  ::RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  Pump();
  // Normal: cell 1 above, cell 5 below, each with its glyph centred; disabled: 3 and 7.
  EXPECT_EQ(ClientAt(u, 1, 2), CellColour(1));
  EXPECT_EQ(ClientAt(u, 1, 30), CellColour(5));
  EXPECT_EQ(ClientAt(u, 8, 10), kGlyph);
  EXPECT_EQ(ClientAt(upOff->Handle(), 1, 2), CellColour(3));
  EXPECT_EQ(ClientAt(upOff->Handle(), 1, 30), CellColour(7));
  EXPECT_EQ(ClientAt(sideways->Handle(), 2, 1), CellColour(1));
  EXPECT_EQ(ClientAt(sideways->Handle(), 30, 1), CellColour(5));
  // Hot and pressed follow the pointer's half.
  POINT lower{8, 30};
  ::ClientToScreen(u, &lower);
  ::SetCursorPos(lower.x, lower.y);
  ::SendMessageW(u, WM_MOUSEMOVE, 0, MAKELPARAM(8, 30));
  Pump();
  EXPECT_EQ(ClientAt(u, 1, 2), CellColour(1));
  EXPECT_EQ(ClientAt(u, 1, 30), CellColour(8));
  const int before = upDown->Position();
  ::SendMessageW(u, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 30));
  Pump();
  EXPECT_EQ(ClientAt(u, 1, 2), CellColour(1));
  EXPECT_EQ(ClientAt(u, 1, 30), CellColour(6));
  ::SendMessageW(u, WM_LBUTTONUP, 0, MAKELPARAM(8, 30));
  Pump();
  EXPECT_EQ(upDown->Position(), before - 1); // the press still stepped
  EXPECT_EQ(ClientAt(u, 1, 30), CellColour(8));
  POINT right{30, 8};
  ::ClientToScreen(sideways->Handle(), &right);
  ::SetCursorPos(right.x, right.y);
  ::SendMessageW(sideways->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 8));
  Pump();
  EXPECT_EQ(ClientAt(sideways->Handle(), 30, 1), CellColour(6));
  EXPECT_EQ(ClientAt(sideways->Handle(), 2, 1), CellColour(1));
  ::SendMessageW(sideways->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(30, 8));
  ::SetCursorPos(5, 5);
  Pump();
}

TEST_F(BarSkins, ProgressFillsItsShareOfAnyRange) {
  testing_support::SaveWindowShot(form->Handle(), 10, L"skin_controls", L"progress.bmp");
  auto filled = [](fw::TProgressBar* bar, int x) { return ClientAt(bar->Handle(), x, 10); };
  EXPECT_EQ(::SendMessageW(bars[0]->Handle(), SM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(filled(bars[0], 2), kProgressBack); // 0 of 0..100: empty
  EXPECT_EQ(filled(bars[1], 98), kProgressBar); // half
  EXPECT_EQ(filled(bars[1], 102), kProgressBack);
  EXPECT_EQ(filled(bars[2], 198), kProgressBar); // full
  EXPECT_EQ(filled(bars[3], 98), kProgressBar);  // 70 of 20..120: half
  EXPECT_EQ(filled(bars[3], 102), kProgressBack);
  EXPECT_EQ(filled(bars[4], 98), kProgressBar); // 0 of -100..100: half
  EXPECT_EQ(filled(bars[4], 102), kProgressBack);
  EXPECT_EQ(filled(bars[5], 2), kProgressBack); // an upper limit of 0
  // Vertical: filled from the bottom, a quarter.
  EXPECT_EQ(ClientAt(tall->Handle(), 10, 198), kProgressBar);
  EXPECT_EQ(ClientAt(tall->Handle(), 10, 152), kProgressBar);
  EXPECT_EQ(ClientAt(tall->Handle(), 10, 148), kProgressBack);
  // A new skin is drawn anew, even where its element stands where the old one stood.
  skin.elements.Progress->Bitmap.FillRect({20, 0, 40, 10}, AsPixel(kChunk));
  SkinChanged();
  EXPECT_EQ(filled(bars[1], 98), kChunk);

  // Style 1: chunks stretched over the filled share, inside a 2-pixel inset.
  skin.SetBarProgress(true);
  SkinChanged();
  EXPECT_EQ(filled(bars[1], 50), kChunk);
  EXPECT_EQ(filled(bars[1], 120), kProgressBack);
  EXPECT_EQ(ClientAt(bars[1]->Handle(), 50, 1), kProgressBack);
  EXPECT_EQ(filled(bars[0], 2), kProgressBack);
  // Tiled chunks.
  skin.SetBarProgress(true, 1);
  SkinChanged();
  EXPECT_EQ(filled(bars[1], 50), kChunk);
  EXPECT_EQ(filled(bars[1], 150), kProgressBack);
  testing_support::SaveWindowShot(form->Handle(), 10, L"skin_controls", L"progress_chunks.bmp");
}

TEST_F(BarSkins, ABoxRecoloursItsControlAndGivesTheColourBack) {
  EXPECT_EQ(ClientAt(boxed->Handle(), 100, 20), kOwnColour);
  auto box = std::make_unique<TSkinBox>();
  box->AttachControl(*boxed, nullptr, skin.ControlSource(), true);
  Pump();
  EXPECT_EQ(boxed->Color(), static_cast<fw::TColor>(kFace));
  EXPECT_EQ(ClientAt(boxed->Handle(), 100, 20), kFace);
  box->Deactivate();
  Pump();
  EXPECT_EQ(box->State(), TSkinLife::Deactivated);
  EXPECT_EQ(boxed->Color(), static_cast<fw::TColor>(kOwnColour));
  EXPECT_EQ(ClientAt(boxed->Handle(), 100, 20), kOwnColour);
}

// --- Bare windows: a vertical track bar, an up-down inside an edit, a nested dialog page and a
// tool bar inside a dialog.

struct BareHost {
  BareHost() {
    static bool registered = false;
    if (!registered) {
      WNDCLASSW wc{};
      wc.lpfnWndProc = ::DefWindowProcW;
      wc.hInstance = ::GetModuleHandleW(nullptr);
      wc.lpszClassName = L"tests.BareBars";
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      ::RegisterClassW(&wc);
      INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
      ::InitCommonControlsEx(&icc);
      registered = true;
    }
    wnd =
        ::CreateWindowExW(0, L"tests.BareBars", L"Bare bars", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 700,
                          60, 400, 320, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    vertical = Child(TRACKBAR_CLASSW, TBS_VERT | TBS_AUTOTICKS, 10, 10, 40, 200);
    ::SendMessageW(vertical, TBM_SETRANGE, TRUE, MAKELPARAM(0, 20));
    ::SendMessageW(vertical, TBM_SETPOS, TRUE, 10);
    // No border of its own: the up-down touches the edit's edges (a skinned edit draws its border
    // over its client area).
    edit = ::CreateWindowExW(0, L"EDIT", L"12", WS_CHILD | WS_VISIBLE, 80, 10, 90, 24, wnd, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
    RECT client;
    ::GetClientRect(edit, &client);
    spin = ::CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE, client.right - 14, 0, 14,
                             client.bottom, edit, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    page = ::CreateWindowExW(0, L"#32770", L"", WS_CHILD | WS_VISIBLE, 200, 10, 180, 100, wnd,
                             nullptr, ::GetModuleHandleW(nullptr), nullptr);
    pageText = ::CreateWindowExW(0, L"STATIC", L"Page", WS_CHILD | WS_VISIBLE, 10, 10, 80, 20, page,
                                 nullptr, ::GetModuleHandleW(nullptr), nullptr);
    toolbar = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                                WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NODIVIDER, 200, 150, 180,
                                40, wnd, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    frame = ::CreateWindowExW(0, L"BUTTON", L"Frame", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 60, 200,
                              130, 80, wnd, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    // As in a dialog: the box has a font of its own.
    ::SendMessageW(frame, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)),
                   FALSE);
    ::SetForegroundWindow(wnd);
    Pump();
  }
  ~BareHost() { ::DestroyWindow(wnd); }
  HWND Child(const wchar_t* cls, DWORD style, int x, int y, int w, int h) {
    return ::CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, x, y, w, h, wnd, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
  }
  HWND wnd, vertical, edit, spin, page, pageText, toolbar, frame;
};

TEST(BarSkinsWindowMode, VerticalTrackUpDownInAnEditPagesAndToolBars) {
  BarSkin skin;
  BareHost bare;
  TWinSkinForm formSkin(skin.Source());
  ASSERT_TRUE(formSkin.HookWindow(bare.wnd));
  ::PostMessageW(bare.wnd, SM_STARTSKIN, 0, 1000);
  Pump();
  // The window skin found the page and the tool bar; the track bar and the up-down are attached
  // the way their neighbours' skins attach them.
  EXPECT_EQ(::SendMessageW(bare.page, SM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(::SendMessageW(bare.toolbar, SM_ISSKINNED, 0, 0), 1);
  auto track = std::make_unique<TSkinTrackBar>();
  track->AttachWindow(bare.vertical, skin.ControlSource(), nullptr);
  // The edit's skin skins the up-down inside it.
  // A bare group box keeps its own painting, with the skin's frame over it.
  auto frame = std::make_unique<TSkinGroupBox>();
  frame->AttachWindow(bare.frame, skin.ControlSource(), nullptr);
  ::SetCursorPos(5, 5);
  ::RedrawWindow(bare.wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  Pump();
  testing_support::SaveWindowShot(bare.wnd, 10, L"skin_controls", L"bars_window_mode.bmp");

  // The vertical channel comes from TRACKVERT, never from Track; the thumb falls back to the
  // horizontal strip's cell 2 when there is no vertical one.
  const RECT channel = Rect(bare.vertical, TBM_GETCHANNELRECT);
  const RECT thumb = Rect(bare.vertical, TBM_GETTHUMBRECT);
  const bool lying = channel.right - channel.left > channel.bottom - channel.top;
  const int cx = lying ? (channel.top + channel.bottom) / 2 : (channel.left + channel.right) / 2;
  const int cy = lying ? channel.left + 10 : channel.top + 10;
  EXPECT_EQ(ClientAt(bare.vertical, cx, cy), kTrackVert);
  EXPECT_EQ(ClientAt(bare.vertical, (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2),
            CellColour(2));
  // The system's ticks are still there, beside the channel.
  int ticks = 0;
  for (int y = thumb.bottom + 4; y < 190; ++y)
    for (int x = thumb.right; x < 40; ++x) {
      const COLORREF c = ClientAt(bare.vertical, x, y);
      ticks += c != kTrackVert && c != CellColour(2) && c != ::GetSysColor(COLOR_BTNFACE);
    }
  EXPECT_GT(ticks, 2);
  // Keys still move it.
  ::SendMessageW(bare.vertical, WM_KEYDOWN, VK_END, 0);
  Pump();
  EXPECT_EQ(::SendMessageW(bare.vertical, TBM_GETPOS, 0, 0), 20);

  // The up-down keeps 3 pixels clear of the edit's top: white there, its cell below.
  EXPECT_EQ(ClientAt(bare.spin, 2, 1), RGB(255, 255, 255));
  EXPECT_EQ(ClientAt(bare.spin, 2, 3), CellColour(1));
  EXPECT_EQ(ClientAt(bare.spin, 2, 2), RGB(255, 255, 255));

  // The page and the tool bar are erased with the face colour; the page's static too.
  EXPECT_EQ(ClientAt(bare.page, 150, 80), kFace);
  EXPECT_EQ(ClientAt(bare.pageText, 70, 10), kFace);
  EXPECT_EQ(ClientAt(bare.toolbar, 170, 30), kFace);

  EXPECT_EQ(::SendMessageW(bare.frame, SM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(At(bare.frame, 1, 60), kShadow);
  EXPECT_EQ(At(bare.frame, 128, 60), kShadow);
  EXPECT_EQ(At(bare.frame, 60, 78), kShadow);

  EXPECT_EQ(::SendMessageW(bare.spin, SM_ISSKINNED, 0, 0), 1);

  // Skin gone: the up-down's own look, and the track bar's own channel.
  track.reset();
  formSkin.Unhook();
  ::RedrawWindow(bare.wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  Pump();
  EXPECT_NE(ClientAt(bare.spin, 2, 3), CellColour(1));
  EXPECT_NE(ClientAt(bare.vertical, cx, cy), kTrackVert);
}

} // namespace
