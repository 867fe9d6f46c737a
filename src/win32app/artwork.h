// The program's own artwork, drawn with GDI: the page buttons in their normal
// and selected looks, and the logo.
#pragma once

#include <windows.h>

#include <string>

#include "win32app/dpi.h"

namespace vb::win32app {

// A page button: selected is the look shown while its page is current. Its
// mark and margins scale with the window's DPI.
void DrawPageButton(HDC dc, const RECT& rect, const std::string& caption, bool selected, HFONT font,
                    const Dpi& dpi);
// The logo: a green disc with a white sweep, and the initials in font; it
// takes its size from the rectangle.
void DrawLogo(HDC dc, const RECT& rect, HFONT font);

}  // namespace vb::win32app
