// Watches the test program's own GDI calls for objects deleted while still selected into a
// device context. Windows refuses such a delete and the object leaks; Wine deletes it later, when
// the device context goes, so under Wine the leak is invisible in the result and only the
// selection state at the moment of the delete shows it. While a TGdiSelectionWatch lives, the
// program's imports of SelectObject, DeleteObject, DeleteDC, ReleaseDC and EndPaint go through it
// (calls made inside system libraries are not seen): every delete of a bitmap, pen, brush or font
// that is still the current object of a device context the program selected into is counted.
#pragma once

namespace testing_support {

class TGdiSelectionWatch {
public:
  TGdiSelectionWatch();
  ~TGdiSelectionWatch();
  TGdiSelectionWatch(const TGdiSelectionWatch&) = delete;
  TGdiSelectionWatch& operator=(const TGdiSelectionWatch&) = delete;

  // All the imports were found and redirected.
  bool Watching() const { return watching_; }
  // Deletes of objects still selected, since the watch began.
  int DeletedWhileSelected() const;

private:
  bool watching_ = false;
};

} // namespace testing_support
