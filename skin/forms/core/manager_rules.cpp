#include "skin/forms/core/manager_rules.h"

#include "skin/data/core/skin_text.h"

namespace skin {

namespace {

constexpr std::uint32_t kChild = 0x40000000;    // WS_CHILD
constexpr std::uint32_t kMdiChild = 0x00000040; // WS_EX_MDICHILD
constexpr std::uint32_t kSetForeground = 0x200; // DS_SETFOREGROUND
constexpr int kNeverSkinnedTag = 99;

bool Contains(const std::string& text, const char* part) {
  return text.find(part) != std::string::npos;
}

} // namespace

bool PassesBuiltInFilter(const std::string& className, std::uint32_t style, TSkinOptions options) {
  const std::string lower = AsciiLower(className);
  if (!options.Contains(xoPreview) && Contains(lower, "preview")) return false;
  if (className == "#32770" && (style & kSetForeground)) return false;
  if (lower == "tpopupdbtreeview") return false;
  return true;
}

SkinVerdict CheckSkinWindow(const WindowFacts& w, bool enabled, bool forcing, bool hasMainComponent,
                            TSkinOptions mainOptions) {
  if (!enabled) return SkinVerdict::Disabled;
  if (w.answersSkinned || w.alreadyListed) return SkinVerdict::AlreadySkinned;
  const bool mdiChild = (w.exStyle & kMdiChild) != 0;
  if (!forcing && (w.style & kChild) && !mdiChild && AsciiLower(w.parentClassName) != "mdiclient")
    return SkinVerdict::PlainChild;
  if (!w.hasForm && !w.programInstance && w.className != "#32770") return SkinVerdict::Foreign;
  if (w.width * w.height == 0 && !mdiChild) return SkinVerdict::Empty;
  // This literal, whatever the component's DisableTag says.
  if (w.hasForm && w.formTag == kNeverSkinnedTag) return SkinVerdict::Tag99;
  if (Contains(w.className, "TcxPopupEditPopupWindow") ||
      Contains(w.className, "TTERenderWindow") || w.className == "TApplication")
    return SkinVerdict::ExcludedClass;
  if (hasMainComponent && !PassesBuiltInFilter(w.className, w.style, mainOptions))
    return SkinVerdict::Filtered;
  return SkinVerdict::Skin;
}

int ChooseSkinDataIndex(const std::vector<RegisteredSkinData>& registered, std::uintptr_t window,
                        const std::string& className) {
  const int count = static_cast<int>(registered.size());
  auto lastOf = [&](auto&& matches) {
    for (int i = count - 1; i >= 0; --i)
      if (matches(registered[static_cast<size_t>(i)])) return i;
    return -1;
  };
  int found = lastOf([&](const RegisteredSkinData& s) {
    return s.formType == sfOnlyThisForm && s.ownerWindow == window;
  });
  if (found >= 0) return found;
  const std::string lower = AsciiLower(className);
  if (lower == "tmessageform" || lower == "#32770") {
    found = lastOf([](const RegisteredSkinData& s) { return s.formType == sfDialog; });
    if (found >= 0) return found;
  }
  found = lastOf([](const RegisteredSkinData& s) { return s.formType == sfMainform; });
  if (found >= 0) return found;
  return count > 0 ? 0 : -1;
}

} // namespace skin
