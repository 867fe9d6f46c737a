#include "win32app/fonts.h"

namespace vb::win32app {

namespace {

HFONT Make(int height, int weight, const char* face) {
  return CreateFontA(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0,
                     face);
}

}  // namespace

// Heights in pixels at 96 DPI: Tahoma 8.25 pt is 11 pixels high.
Fonts::Fonts()
    : normal_(Make(-11, FW_NORMAL, "Tahoma")),
      symbol_(Make(-12, FW_BOLD, "Arial")),
      banner_(Make(-28, FW_BOLD, "Tahoma")) {}

Fonts::~Fonts() {
  DeleteObject(normal_);
  DeleteObject(symbol_);
  DeleteObject(banner_);
}

HFONT Fonts::For(toolkit::FontRole role) const {
  switch (role) {
    case toolkit::FontRole::kSymbol: return symbol_;
    case toolkit::FontRole::kBanner: return banner_;
    case toolkit::FontRole::kNormal: break;
  }
  return normal_;
}

}  // namespace vb::win32app
