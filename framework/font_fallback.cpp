#include "framework/font_fallback.h"

#include "framework/handles.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace fw {

namespace {

// A character no font has: it draws as the font's missing-glyph mark, whatever the font links.
constexpr wchar_t kNoCharacter = 0xFFFF;

// Faces known to carry Chinese text, tried first where they are installed: Windows' own, then
// the free ones of Linux desktops (under Wine).
constexpr const wchar_t* kPreferredFaces[] = {L"Microsoft YaHei UI",
                                              L"Microsoft YaHei",
                                              L"SimSun",
                                              L"NSimSun",
                                              L"SimHei",
                                              L"Microsoft JhengHei",
                                              L"PMingLiU",
                                              L"MS UI Gothic",
                                              L"Meiryo",
                                              L"WenQuanYi Micro Hei",
                                              L"WenQuanYi Zen Hei",
                                              L"Noto Sans CJK SC",
                                              L"Noto Sans SC",
                                              L"Source Han Sans SC",
                                              L"Droid Sans Fallback"};

bool IsEastAsianCharset(BYTE charset) {
  return charset == GB2312_CHARSET || charset == CHINESEBIG5_CHARSET ||
         charset == SHIFTJIS_CHARSET || charset == HANGUL_CHARSET || charset == JOHAB_CHARSET;
}

// Characters whose glyphs matter: blanks, controls and halves of surrogate pairs are left out.
bool NeedsGlyph(wchar_t c) {
  return c > L' ' && c != 0x00A0 && c != 0x3000 && (c < 0xD800 || c > 0xDFFF);
}

// What tells two fonts apart for glyph lookups: face, size, weight, style and character set.
std::wstring FontKey(const LOGFONTW& lf) {
  const std::wstring face(lf.lfFaceName, wcsnlen(lf.lfFaceName, LF_FACESIZE));
  return face + L'|' + std::to_wstring(lf.lfHeight) + L'|' + std::to_wstring(lf.lfWeight) + L'|' +
         std::to_wstring(lf.lfItalic) + L'|' + std::to_wstring(lf.lfCharSet);
}

// A memory surface for drawing one character of a font at a time, black on white.
class GlyphSurface {
public:
  explicit GlyphSurface(HFONT font) : dc_(::CreateCompatibleDC(nullptr)) {
    fontSelection_.emplace(dc_.get(), font);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc_.get(), &metrics);
    width_ = std::clamp<int>(metrics.tmMaxCharWidth * 2 + 8, 16, 512);
    height_ = std::clamp<int>(metrics.tmHeight + 8, 16, 512);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    bitmap_.reset(::CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    if (bitmap_) bitmapSelection_.emplace(dc_.get(), bitmap_.get());
    ::SetBkMode(dc_.get(), TRANSPARENT);
    ::SetTextColor(dc_.get(), RGB(0, 0, 0));
  }

  HDC Handle() const { return dc_.get(); }

  // The pixels of `c` drawn as text (empty when the surface could not be made).
  std::vector<std::uint32_t> Draw(wchar_t c) {
    if (!bits_) return {};
    const RECT all{0, 0, width_, height_};
    ::FillRect(dc_.get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::TextOutW(dc_.get(), 4, 4, &c, 1);
    ::GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits_);
    return {pixels, pixels + static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_)};
  }

private:
  MemoryDC dc_;
  Bitmap bitmap_;
  void* bits_ = nullptr;
  int width_ = 0, height_ = 0;
  // Declared last: the selections are undone before the bitmap and the DC go.
  std::optional<SelectGuard> fontSelection_, bitmapSelection_;
};

bool DrawsText(HFONT font, std::wstring_view text) {
  std::wstring needed;
  for (wchar_t c : text)
    if (NeedsGlyph(c) && needed.find(c) == std::wstring::npos) needed += c;
  if (needed.empty()) return true;
  GlyphSurface surface(font);
  // The font's own glyphs first; what it lacks may still come from a font it links to, which
  // only drawing shows.
  std::vector<WORD> indices(needed.size());
  const DWORD found =
      ::GetGlyphIndicesW(surface.Handle(), needed.c_str(), static_cast<int>(needed.size()),
                         indices.data(), GGI_MARK_NONEXISTING_GLYPHS);
  std::vector<std::uint32_t> missingMark;
  for (std::size_t i = 0; i < needed.size(); ++i) {
    if (found != GDI_ERROR && indices[i] != 0xFFFF) continue;
    if (missingMark.empty()) missingMark = surface.Draw(kNoCharacter);
    if (surface.Draw(needed[i]) == missingMark) return false;
  }
  return true;
}

struct FaceEntry {
  std::wstring name;
  bool eastAsian = false;
};

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM list) {
  auto& faces = *reinterpret_cast<std::vector<FaceEntry>*>(list);
  const std::wstring name = font->lfFaceName;
  if (name.empty() || name[0] == L'@') return 1; // vertical writing
  auto it =
      std::find_if(faces.begin(), faces.end(), [&](const FaceEntry& f) { return f.name == name; });
  if (it == faces.end()) it = faces.insert(faces.end(), {name, false});
  it->eastAsian = it->eastAsian || IsEastAsianCharset(font->lfCharSet);
  return 1;
}

// The installed faces in the order they are tried.
std::vector<std::wstring> CandidateFaces() {
  std::vector<FaceEntry> installed;
  MemoryDC dc(::CreateCompatibleDC(nullptr));
  LOGFONTW any{};
  any.lfCharSet = DEFAULT_CHARSET;
  ::EnumFontFamiliesExW(dc.get(), &any, CollectFace, reinterpret_cast<LPARAM>(&installed), 0);
  std::vector<std::wstring> order;
  for (const wchar_t* preferred : kPreferredFaces)
    for (const FaceEntry& face : installed)
      if (_wcsicmp(face.name.c_str(), preferred) == 0) order.push_back(face.name);
  for (bool eastAsian : {true, false})
    for (const FaceEntry& face : installed)
      if (face.eastAsian == eastAsian &&
          std::find(order.begin(), order.end(), face.name) == order.end())
        order.push_back(face.name);
  return order;
}

} // namespace

bool FontDrawsText(HFONT font, std::wstring_view text) {
  if (!font) return true;
  LOGFONTW lf{};
  if (!::GetObjectW(font, sizeof lf, &lf)) return true;
  static std::map<std::pair<std::wstring, std::wstring>, bool> answers;
  auto key = std::make_pair(FontKey(lf), std::wstring(text));
  auto it = answers.find(key);
  if (it == answers.end()) it = answers.emplace(std::move(key), DrawsText(font, text)).first;
  return it->second;
}

std::wstring FaceWithGlyphs(std::wstring_view text) {
  static std::map<std::wstring, std::wstring> answers;
  if (auto it = answers.find(std::wstring(text)); it != answers.end()) return it->second;
  std::wstring chosen;
  for (const std::wstring& face : CandidateFaces()) {
    LOGFONTW lf{};
    lf.lfHeight = -12;
    lf.lfCharSet = DEFAULT_CHARSET;
    face.copy(lf.lfFaceName, LF_FACESIZE - 1);
    Font probe(::CreateFontIndirectW(&lf));
    if (probe && FontDrawsText(probe.get(), text)) {
      chosen = face;
      break;
    }
  }
  answers.emplace(std::wstring(text), chosen);
  return chosen;
}

HFONT FontForText(HFONT font, std::wstring_view text) {
  if (FontDrawsText(font, text)) return font;
  const std::wstring face = FaceWithGlyphs(text);
  LOGFONTW lf{};
  if (face.empty() || !::GetObjectW(font, sizeof lf, &lf)) return font;
  std::memset(lf.lfFaceName, 0, sizeof lf.lfFaceName);
  face.copy(lf.lfFaceName, LF_FACESIZE - 1);
  lf.lfCharSet = DEFAULT_CHARSET; // the face's own character set, not the one asked for before
  static std::map<std::wstring, Font> made;
  Font& fallback = made[FontKey(lf)];
  if (!fallback) fallback.reset(::CreateFontIndirectW(&lf));
  return fallback ? fallback.get() : font;
}

} // namespace fw
