// The program's own artwork, drawn with GDI: the page buttons in their normal
// and selected looks, and the logo.
#pragma once

#include <windows.h>

#include <string>

namespace vb::win32app {

// A page button: selected is the look shown while its page is current.
void DrawPageButton(HDC dc, const RECT& rect, const std::string& caption, bool selected, HFONT font);
// The logo: a green disc with a white sweep.
void DrawLogo(HDC dc, const RECT& rect);

}  // namespace vb::win32app
