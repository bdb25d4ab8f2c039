// TSkinMP and its overlay TWMediaPlayer: a media player is skinned by laying a panel of our own
// exactly over it that draws the player's visible buttons with the skin's button faces and hands
// every press and release to the player underneath, so the player keeps all its behaviour. The
// overlay follows the player's bounds, visibility and enabled state (a disabled player's buttons
// are drawn disabled and hear no press), and goes with the player and when the skin is switched
// off.
#pragma once

#include "skin/controls/companion_skin.h"

#include <array>
#include <memory>

namespace skin {

class TSkinMP;

class TWMediaPlayer : public fw::TWinControl {
public:
  explicit TWMediaPlayer(fw::TComponent* owner);
  std::wstring ClassName() const override { return L"TWMediaPlayer"; }

  void Attach(fw::TWinControl& player, TSkinMP* skinObject, const TControlSkinSource& skinData);
  int PressedButton() const { return FPressedButton; }

protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
  struct TButtonRecord {
    bool Visible = false, Enabled = false, Colored = false;
    std::array<TBitmap, 3> Glyphs; // enabled, disabled, coloured
  };
  bool PlayerEnabled() const;
  void ReadButtons();
  void Paint(HDC dc);
  void DrawButton(HDC dc, int index, TRect rect);
  int HitTest(int x) const;
  void MouseDown(UINT msg, WPARAM wParam, LPARAM lParam);
  void MouseUp(UINT msg, WPARAM wParam, LPARAM lParam);

  std::array<TButtonRecord, 9> FButtons;
  TControlSkinSource FSkinData;
  int FPressedButton = 9;
  int FHitButton = 9;
  int FButtonWidth = 0;
  fw::TWinControl* FPlayer = nullptr;
  TSkinMP* FSkinObject = nullptr;
  bool FTracking = false;
  int FVisibleCount = 0;
};

class TSkinMP : public TCompanionSkin<TWMediaPlayer> {
public:
  TSkinMP() : TCompanionSkin(TCompanionPlace::BesideControl) {}

  void AfterMessage(fw::TMessage& message) override;
  TWMediaPlayer* Overlay() const { return FCompanion.get(); }

protected:
  void MakeCompanion() override;

private:
  void FollowPlayer();
};

} // namespace skin
