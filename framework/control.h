// Controls and windowed controls: bounds, visibility, a parent, text, colour, font and cursor;
// windowed controls own a window whose messages go through the virtual WndProc. A parent hands
// the notifications of its child controls (commands, scrolling, colours) back to the child.
#pragma once

#include "framework/component.h"
#include "framework/graphics.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fw {

class TWinControl;
class TGraphicControl;

// Notifications a windowed control sends the graphic controls on it, and a graphic control sends
// through its own window method when it goes.
inline constexpr UINT CM_MOUSEENTER = 0xB013;
inline constexpr UINT CM_MOUSELEAVE = 0xB014;
inline constexpr UINT CM_RELEASE = 0xB021;
// Sent through the window method by RecreateWnd: the control makes its window again.
inline constexpr UINT CM_RECREATEWND = 0xB033;
// Sent to a form when a control got an Alt+character it has no use for (a WM_SYSCHAR), WParam the
// character: a non-zero answer (a menu accelerator) ends it; otherwise it becomes the system's
// keyboard menu command.
inline constexpr UINT CM_DIALOGCHAR = 0xB006;

// One message as a window method sees it; the method stores its answer in Result.
struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};
// A control's window method: every message of its window passes through it. Replacing it (and
// calling the saved one) lets another object see the messages before and after the control.
using TWndMethod = std::function<void(TMessage&)>;

// A WM_NOTIFY that the parent hands back to the control that sent it, through the control's
// window method (WParam and LParam as the parent received them). Its Result is the parent's
// answer: a control that does not handle it answers 0.
inline constexpr UINT CN_NOTIFY = 0xBD4E;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
// Shift state of a mouse message: the MK_* key flags of its WParam.
using TShiftState = unsigned;
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton button, TShiftState shift, int x, int y)>;

class TControl : public TComponent {
public:
  explicit TControl(TComponent* owner);
  ~TControl() override;
  std::wstring ClassName() const override { return L"TControl"; }

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  virtual void SetBounds(int left, int top, int width, int height);
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible) { visible_ = visible; }
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }

  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled) { enabled_ = enabled; }

  // The caption or text.
  virtual std::wstring Text() const { return text_; }
  virtual void SetText(const std::wstring& text) { text_ = text; }

  TColor Color() const { return color_; }
  // A colour of its own: the control stops following its parent's.
  virtual void SetColor(TColor color);
  // With ParentColor set the control shows its parent's colour and follows its changes.
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool parentColor);

  // The control's font; with ParentFont set it follows the parent's.
  TFont& Font() { return *font_; }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool parentFont);
  // The font the control's text is drawn with: its font, or, where that font has no glyphs for
  // the text, the same font in a face that has them.
  HFONT TextFont();

  int Cursor() const { return cursor_; }
  void SetCursor(int cursor) { cursor_ = cursor; }

  TNotifyEvent OnClick;
  // What a user's click does: raises OnClick.
  virtual void Click();
  TMouseEvent OnMouseDown;
  // A mouse button went down over the control: raises OnMouseDown.
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);

protected:
  void DefineProperties(TPropertyList& list) const override;
  // The font changed (its own, or the parent's that it follows).
  virtual void FontChanged() {}

  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = false;
  bool enabled_ = true;
  std::wstring text_;
  TColor color_ = clBtnFace;
  TWinControl* parent_ = nullptr;
  bool parentColor_ = false; // labels, check boxes, radio buttons and group boxes set it

private:
  friend class TWinControl;
  void ParentFontChanged();
  void ParentColorChanged();

  std::unique_ptr<TFont> font_;
  bool parentFont_ = true;
  bool followingParent_ = false;
  bool followingParentColor_ = false;
  int cursor_ = crDefault;
};

// What the window of a windowed control is created with; subclasses adjust it.
struct TCreateParams {
  std::wstring Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  // The child window identifier.
  UINT_PTR Id = 0;
  // The menu bar of a top-level window.
  HMENU Menu = nullptr;
  // Empty: a class of our own named after WinClassName. Otherwise a system class ("BUTTON", ...)
  // whose window procedure is subclassed.
  std::wstring SystemClass;
  std::wstring WinClassName = L"fw.TWinControl";
  UINT ClassStyle = CS_DBLCLKS;
  HBRUSH Background = nullptr;
  HCURSOR Cursor = nullptr;
  // The class icons (large and small) of a class of our own.
  HICON Icon = nullptr;
  HICON IconSmall = nullptr;
};

// The whole text of a window.
std::wstring WindowText(HWND wnd);

class TWinControl : public TControl {
public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;
  std::wstring ClassName() const override { return L"TWinControl"; }

  // The window, created on first use (with the windows of all child controls).
  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void DestroyHandle();
  // Makes the window again (after a change only a new window takes up): CM_RECREATEWND passes
  // the window method, so whoever replaced it sees the window go and come back.
  void RecreateWnd();

  void SetBounds(int left, int top, int width, int height) override;
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  std::wstring Text() const override;
  void SetText(const std::wstring& text) override;
  void SetColor(TColor color) override;

  // Child controls, in the order they were parented.
  const std::vector<TControl*>& Controls() const { return controls_; }

  // Position in the parent's tab order (the order of the child windows); -1 until set.
  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int order) { tabOrder_ = order; }
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool tabStop) { tabStop_ = tabStop; }
  bool ParentBackground() const { return parentBackground_; }
  void SetParentBackground(bool v) { parentBackground_ = v; }

  bool Focused() const { return handle_ && ::GetFocus() == handle_; }
  void SetFocus();
  // Puts the window above its sibling windows, where they overlap.
  void BringToFront();

  // The object behind one of our windows, or null.
  static TWinControl* FromHandle(HWND wnd);

  // Sends a message through the window's current procedure (which a skin may have replaced).
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  // Repaints the window (background and all) at the next paint.
  void Invalidate();
  // Paints the window-less child controls into `dc` (the window's client coordinates); whoever
  // paints the window in its place calls this after its own painting.
  void PaintGraphicChildren(HDC dc);

  // The window method every message of the window goes through; it starts as the control's own
  // (WndProc). Whoever replaces it keeps the previous one and calls it, and puts it back.
  TWndMethod WindowProc;

protected:
  void DefineProperties(TPropertyList& list) const override;
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  // Called once the window exists.
  virtual void CreateWindowHandle(const TCreateParams& params);
  // The window exists: hand it the state kept so far (font, items, positions, ...).
  virtual void HandleCreated();
  // Every message of the window arrives here; the default goes to DefaultHandler.
  virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  // The window class's own procedure (DefWindowProc, or the system control's).
  LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam);
  // Answers WM_PAINT by drawing into the window's paint DC (or the DC in wParam).
  LRESULT PaintWith(WPARAM wParam, const std::function<void(HDC)>& paint);

  // Notifications that the parent received from this control's window.
  virtual void CNCommand(WORD /*code*/) {}
  virtual void CNScroll(WORD /*code*/) {}
  // A notification of this control's window (WM_NOTIFY at the parent); the answer goes back.
  virtual LRESULT CNNotify(NMHDR& /*header*/) { return 0; }
  // The brush for the background (a WM_CTLCOLOR* request); the default paints in Color with
  // the font's colour.
  virtual HBRUSH CNCtlColor(HDC dc);
  // A solid brush of Color, kept while the colour stays.
  HBRUSH ColorBrush();

  void FontChanged() override;

private:
  friend class TControl;
  void InsertControl(TControl* control) { controls_.push_back(control); }
  void RemoveControl(TControl* control);
  void CreateChildHandles();
  // Graphic controls have no window: their parent paints them and hands them its mouse.
  TGraphicControl* GraphicChildAt(int x, int y) const;
  bool HasGraphicChildren() const;
  bool RouteMouse(UINT msg, WPARAM wParam, LPARAM lParam);
  void SetMouseControl(TGraphicControl* control);

public:
  // Window procedure of the framework's own window classes.
  static LRESULT CALLBACK ClassWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
  static LRESULT CALLBACK StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void Attach(HWND wnd, bool subclass);
  void ReadBoundsFromWindow();
  bool Reflect(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Windows of our own classes: the background in Color, on the screen or into a given DC.
  LRESULT WMEraseBkgnd(HDC dc);
  LRESULT WMPrintClient(HDC dc, LPARAM flags);
  LRESULT WMSetCursor(WPARAM wParam, LPARAM lParam);
  LRESULT WMSysChar(WPARAM wParam, LPARAM lParam);

  HWND handle_ = nullptr;
  WNDPROC defaultProc_ = ::DefWindowProcW;
  bool ownClass_ = false;
  std::vector<TControl*> controls_;
  int tabOrder_ = -1;
  bool tabStop_ = false;
  bool parentBackground_ = false;
  Brush brush_;
  TColor brushColor_ = 0;
  TGraphicControl* mouseControl_ = nullptr;   // the graphic child under the mouse
  TGraphicControl* captureControl_ = nullptr; // the graphic child a press began on
};

// A control without a window of its own (a speed button): it lives on its parent's window, which
// paints it (WM_PAINT with a DC whose origin is the control's top-left) and hands it the mouse
// messages over it (in its own coordinates), CM_MOUSEENTER and CM_MOUSELEAVE.
class TGraphicControl : public TControl {
public:
  explicit TGraphicControl(TComponent* owner);
  // Sends CM_RELEASE through the window method first, so that whoever replaced it lets go.
  ~TGraphicControl() override;
  std::wstring ClassName() const override { return L"TGraphicControl"; }

  void SetBounds(int left, int top, int width, int height) override;
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  void SetText(const std::wstring& text) override;

  // Sends a message through the current window method.
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  // Repaints the control's part of the parent's window at the next paint.
  void Invalidate();

  // The window method every message of the control goes through; it starts as WndProc.
  TWndMethod WindowProc;

  // The parent window's device context with its origin at the control's top-left, clipped to
  // the control; null when the parent has no window.
  class TControlDC {
  public:
    explicit TControlDC(TGraphicControl& control);
    TControlDC(const TControlDC&) = delete;
    TControlDC& operator=(const TControlDC&) = delete;
    ~TControlDC();
    HDC Handle() const { return dc_; }

  private:
    HWND wnd_ = nullptr;
    HDC dc_ = nullptr;
  };

protected:
  virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  // Draws the control into `dc`, whose origin is its top-left.
  virtual void Paint(HDC /*dc*/) {}
};

} // namespace fw
