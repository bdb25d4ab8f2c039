// Controls and windowed controls: bounds, visibility, a parent, and for windowed controls a
// window handle whose messages go through the virtual WndProc.
#pragma once

#include "framework/component.h"

#include <windows.h>

#include <string>

namespace fw {

class TWinControl;

class TControl : public TComponent {
public:
  explicit TControl(TComponent* owner) : TComponent(owner) {}
  ~TControl() override;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  virtual void SetBounds(int left, int top, int width, int height);

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible) { visible_ = visible; }
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }

protected:
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = false;
  TWinControl* parent_ = nullptr;
};

// What the window of a windowed control is created with; subclasses adjust it.
struct TCreateParams {
  std::wstring Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  // Empty: a class of our own named after WinClassName. Otherwise a system class ("BUTTON", ...)
  // whose window procedure is subclassed.
  std::wstring SystemClass;
  std::wstring WinClassName = L"fw.TWinControl";
  UINT ClassStyle = CS_DBLCLKS;
  HBRUSH Background = nullptr;
  HCURSOR Cursor = nullptr;
};

class TWinControl : public TControl {
public:
  explicit TWinControl(TComponent* owner) : TControl(owner) {}
  ~TWinControl() override;

  // The window, created on first use.
  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void DestroyHandle();

  void SetBounds(int left, int top, int width, int height) override;
  void SetVisible(bool visible) override;

  // The object behind one of our windows, or null.
  static TWinControl* FromHandle(HWND wnd);

  // Sends a message through the window's current procedure (which a skin may have replaced).
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

protected:
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  // Called once the window exists.
  virtual void CreateWindowHandle(const TCreateParams& params);
  // Every message of the window arrives here; the default goes to DefaultHandler.
  virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
  // The window class's own procedure (DefWindowProc, or the system control's).
  LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam);

private:
public:
  // Window procedure of the framework's own window classes.
  static LRESULT CALLBACK ClassWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
  static LRESULT CALLBACK StaticWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void Attach(HWND wnd, bool subclass);
  void ReadBoundsFromWindow();

  HWND handle_ = nullptr;
  WNDPROC defaultProc_ = ::DefWindowProcW;
};

} // namespace fw
