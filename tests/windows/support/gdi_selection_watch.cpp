#include "tests/windows/support/gdi_selection_watch.h"

#include <windows.h>

#include <algorithm>
#include <mutex>
#include <vector>

namespace testing_support {

namespace {

using SelectObjectFn = HGDIOBJ(WINAPI*)(HDC, HGDIOBJ);
using DeleteObjectFn = BOOL(WINAPI*)(HGDIOBJ);
using DeleteDCFn = BOOL(WINAPI*)(HDC);
using ReleaseDCFn = int(WINAPI*)(HWND, HDC);
using EndPaintFn = BOOL(WINAPI*)(HWND, const PAINTSTRUCT*);

SelectObjectFn realSelectObject;
DeleteObjectFn realDeleteObject;
DeleteDCFn realDeleteDC;
ReleaseDCFn realReleaseDC;
EndPaintFn realEndPaint;

std::mutex watchMutex;
std::vector<HDC> selectingDCs; // device contexts the program selected objects into
int deletedWhileSelected = 0;

void Forget(HDC dc) {
  std::lock_guard lock(watchMutex);
  selectingDCs.erase(std::remove(selectingDCs.begin(), selectingDCs.end(), dc), selectingDCs.end());
}

HGDIOBJ WINAPI WatchedSelectObject(HDC dc, HGDIOBJ object) {
  {
    std::lock_guard lock(watchMutex);
    if (std::find(selectingDCs.begin(), selectingDCs.end(), dc) == selectingDCs.end())
      selectingDCs.push_back(dc);
  }
  return realSelectObject(dc, object);
}

BOOL WINAPI WatchedDeleteObject(HGDIOBJ object) {
  DWORD type = ::GetObjectType(object);
  if (type == OBJ_EXTPEN) type = OBJ_PEN;
  if (type == OBJ_BITMAP || type == OBJ_PEN || type == OBJ_BRUSH || type == OBJ_FONT) {
    std::lock_guard lock(watchMutex);
    for (HDC dc : selectingDCs)
      if (::GetObjectType(dc) != 0 && ::GetCurrentObject(dc, type) == object) {
        ++deletedWhileSelected;
        break;
      }
  }
  return realDeleteObject(object);
}

BOOL WINAPI WatchedDeleteDC(HDC dc) {
  Forget(dc);
  return realDeleteDC(dc);
}

int WINAPI WatchedReleaseDC(HWND wnd, HDC dc) {
  Forget(dc);
  return realReleaseDC(wnd, dc);
}

BOOL WINAPI WatchedEndPaint(HWND wnd, const PAINTSTRUCT* paint) {
  if (paint) Forget(paint->hdc);
  return realEndPaint(wnd, paint);
}

// Points the program's import of `function` at `replacement`; the import's old target goes to
// `previous` (when given). False when the program does not import it.
bool Redirect(void* function, void* replacement, void** previous) {
  auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (!imports.VirtualAddress) return false;
  bool found = false;
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name;
       ++d)
    for (auto* slot = reinterpret_cast<ULONG_PTR*>(base + d->FirstThunk); *slot; ++slot) {
      if (reinterpret_cast<void*>(*slot) != function) continue;
      DWORD protection;
      ::VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
      if (previous) *previous = reinterpret_cast<void*>(*slot);
      *slot = reinterpret_cast<ULONG_PTR>(replacement);
      ::VirtualProtect(slot, sizeof *slot, protection, &protection);
      found = true;
    }
  return found;
}

template <class Fn> bool Watch(const char* dll, const char* name, Fn& real, Fn watched) {
  real = reinterpret_cast<Fn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA(dll), name)));
  return real && Redirect(reinterpret_cast<void*>(real), reinterpret_cast<void*>(watched), nullptr);
}

template <class Fn> void Unwatch(Fn real, Fn watched) {
  Redirect(reinterpret_cast<void*>(watched), reinterpret_cast<void*>(real), nullptr);
}

} // namespace

TGdiSelectionWatch::TGdiSelectionWatch() {
  {
    std::lock_guard lock(watchMutex);
    selectingDCs.clear();
    deletedWhileSelected = 0;
  }
  bool all = Watch("gdi32.dll", "SelectObject", realSelectObject, &WatchedSelectObject);
  all = Watch("gdi32.dll", "DeleteObject", realDeleteObject, &WatchedDeleteObject) && all;
  all = Watch("gdi32.dll", "DeleteDC", realDeleteDC, &WatchedDeleteDC) && all;
  all = Watch("user32.dll", "ReleaseDC", realReleaseDC, &WatchedReleaseDC) && all;
  all = Watch("user32.dll", "EndPaint", realEndPaint, &WatchedEndPaint) && all;
  watching_ = all;
}

TGdiSelectionWatch::~TGdiSelectionWatch() {
  Unwatch(realSelectObject, &WatchedSelectObject);
  Unwatch(realDeleteObject, &WatchedDeleteObject);
  Unwatch(realDeleteDC, &WatchedDeleteDC);
  Unwatch(realReleaseDC, &WatchedReleaseDC);
  Unwatch(realEndPaint, &WatchedEndPaint);
}

int TGdiSelectionWatch::DeletedWhileSelected() const {
  std::lock_guard lock(watchMutex);
  return deletedWhileSelected;
}

} // namespace testing_support
