#include "win32app/fonts.h"

namespace vb::win32app {

namespace {

HFONT Make(int height, int weight, const char* face) {
  return CreateFontA(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0,
                     face);
}

std::size_t Index(toolkit::FontRole role) {
  switch (role) {
    case toolkit::FontRole::kSymbol: return 1;
    case toolkit::FontRole::kBanner: return 2;
    case toolkit::FontRole::kNormal: break;
  }
  return 0;
}

}  // namespace

// Heights in pixels at 96 DPI: Tahoma 8.25 pt is 11 pixels high.
Fonts::Fonts(const Dpi& dpi)
    : fonts_{Make(-dpi(11), FW_NORMAL, "Tahoma"), Make(-dpi(12), FW_BOLD, "Arial"),
             Make(-dpi(28), FW_BOLD, "Tahoma")} {}

Fonts::~Fonts() {
  for (HFONT font : fonts_) DeleteObject(font);
}

HFONT Fonts::For(toolkit::FontRole role) const { return fonts_[Index(role)]; }

}  // namespace vb::win32app
