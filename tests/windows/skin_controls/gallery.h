// The gallery: one shown form with a control of every kind the skin paints, a menu bar, and
// speed buttons on the form and on containers the skin paints whole (a group box, a tab control,
// the status bar). The gallery test looks at it skinned and unskinned; the stress test switches
// skins under it.
#pragma once

#include "framework/buttons.h"
#include "framework/form.h"
#include "framework/image_list.h"
#include "framework/stdctrls.h"
#include "skin/data/skin_data.h"

#include <memory>
#include <vector>

namespace testing_support {

class TGallery {
public:
  // Makes and shows the form at (20, 20), 780 x 560.
  TGallery();
  ~TGallery();
  TGallery(const TGallery&) = delete;
  TGallery& operator=(const TGallery&) = delete;

  // The class map lines and the OnSkinControl handler (list views, glyph check boxes) that
  // reach every kind of the gallery.
  static void PrepareSkin(skin::TSkinData& data);

  fw::TForm& Form() { return *form_; }
  // Every windowed control whose skin takes over its messages, as made.
  const std::vector<fw::TWinControl*>& Windowed() const { return windowed_; }
  // A check box that draws its glyphs itself: its skin only hands it glyphs from the skin.
  fw::TWinControl* GlyphCheck() const { return glyphCheck_; }
  const std::vector<fw::TSpeedButton*>& Speeds() const { return speeds_; }
  fw::TMemo* Memo() const { return memo_; }

private:
  fw::TImageList images_{nullptr, 16, 16}; // the bit button's; outlives the form
  std::unique_ptr<fw::TForm> form_;
  std::vector<fw::TWinControl*> windowed_;
  std::vector<fw::TSpeedButton*> speeds_;
  fw::TMemo* memo_ = nullptr;
  fw::TWinControl* glyphCheck_ = nullptr;
};

} // namespace testing_support
