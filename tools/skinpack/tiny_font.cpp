#include "tools/skinpack/tiny_font.h"

#include <cstdint>

namespace skinpack {

namespace {

// Five rows of three bits each, top row in the highest bits.
std::uint16_t GlyphBits(char ch) {
  if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  switch (ch) {
  case 'A':
    return 0b010'101'111'101'101;
  case 'B':
    return 0b110'101'110'101'110;
  case 'C':
    return 0b011'100'100'100'011;
  case 'D':
    return 0b110'101'101'101'110;
  case 'E':
    return 0b111'100'110'100'111;
  case 'F':
    return 0b111'100'110'100'100;
  case 'G':
    return 0b011'100'101'101'011;
  case 'H':
    return 0b101'101'111'101'101;
  case 'I':
    return 0b111'010'010'010'111;
  case 'J':
    return 0b001'001'001'101'010;
  case 'K':
    return 0b101'101'110'101'101;
  case 'L':
    return 0b100'100'100'100'111;
  case 'M':
    return 0b101'111'111'101'101;
  case 'N':
    return 0b110'101'101'101'101;
  case 'O':
    return 0b010'101'101'101'010;
  case 'P':
    return 0b110'101'110'100'100;
  case 'Q':
    return 0b010'101'101'110'011;
  case 'R':
    return 0b110'101'110'101'101;
  case 'S':
    return 0b011'100'010'001'110;
  case 'T':
    return 0b111'010'010'010'010;
  case 'U':
    return 0b101'101'101'101'111;
  case 'V':
    return 0b101'101'101'101'010;
  case 'W':
    return 0b101'101'111'111'101;
  case 'X':
    return 0b101'101'010'101'101;
  case 'Y':
    return 0b101'101'010'010'010;
  case 'Z':
    return 0b111'001'010'100'111;
  case '0':
    return 0b111'101'101'101'111;
  case '1':
    return 0b010'110'010'010'111;
  case '2':
    return 0b110'001'010'100'111;
  case '3':
    return 0b110'001'010'001'110;
  case '4':
    return 0b101'101'111'001'001;
  case '5':
    return 0b111'100'110'001'110;
  case '6':
    return 0b011'100'111'101'111;
  case '7':
    return 0b111'001'010'010'010;
  case '8':
    return 0b111'101'111'101'111;
  case '9':
    return 0b111'101'111'001'110;
  case '.':
    return 0b000'000'000'000'010;
  case ',':
    return 0b000'000'000'010'100;
  case '-':
    return 0b000'000'111'000'000;
  case '_':
    return 0b000'000'000'000'111;
  case ':':
    return 0b000'010'000'010'000;
  case '/':
    return 0b001'001'010'100'100;
  case '(':
    return 0b001'010'010'010'001;
  case ')':
    return 0b100'010'010'010'100;
  case '=':
    return 0b000'111'000'111'000;
  case '*':
    return 0b101'010'111'010'101;
  default:
    return 0;
  }
}

} // namespace

int DrawTinyText(fw::TBitmap& image, int x, int y, std::string_view text, fw::Pixel colour,
                 int scale) {
  for (char ch : text) {
    const std::uint16_t bits = GlyphBits(ch);
    for (int row = 0; row < kTinyGlyphHeight; ++row)
      for (int col = 0; col < kTinyGlyphWidth; ++col)
        if (bits & (1u << (14 - (row * 3 + col))))
          image.FillRect(
              {x + col * scale, y + row * scale, x + (col + 1) * scale, y + (row + 1) * scale},
              colour);
    x += (kTinyGlyphWidth + 1) * scale;
  }
  return x;
}

int TinyTextWidth(std::string_view text, int scale) {
  return static_cast<int>(text.size()) * (kTinyGlyphWidth + 1) * scale;
}

} // namespace skinpack
