#include "win32app/artwork.h"

namespace vb::win32app {

namespace {

// A vertical blend between two colours, one band per pixel row.
void Blend(HDC dc, const RECT& rect, COLORREF top, COLORREF bottom) {
  int height = rect.bottom - rect.top;
  for (int y = 0; y < height; ++y) {
    auto mix = [&](int a, int b) { return a + (b - a) * y / (height > 1 ? height - 1 : 1); };
    HBRUSH brush = CreateSolidBrush(RGB(mix(GetRValue(top), GetRValue(bottom)),
                                        mix(GetGValue(top), GetGValue(bottom)),
                                        mix(GetBValue(top), GetBValue(bottom))));
    RECT band = {rect.left, rect.top + y, rect.right, rect.top + y + 1};
    FillRect(dc, &band, brush);
    DeleteObject(brush);
  }
}

}  // namespace

void DrawPageButton(HDC dc, const RECT& rect, const std::string& caption, bool selected,
                    HFONT font, const Dpi& dpi) {
  if (selected)
    Blend(dc, rect, RGB(30, 110, 60), RGB(12, 70, 36));
  else
    Blend(dc, rect, RGB(246, 250, 246), RGB(205, 222, 208));
  HPEN pen = CreatePen(PS_SOLID, dpi(1), selected ? RGB(8, 50, 26) : RGB(150, 170, 152));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
  // A small mark left of the caption: a disc, filled when selected.
  int cy = (rect.top + rect.bottom) / 2;
  HBRUSH mark = CreateSolidBrush(selected ? RGB(255, 255, 255) : RGB(46, 158, 79));
  SelectObject(dc, mark);
  Ellipse(dc, rect.left + dpi(8), cy - dpi(5), rect.left + dpi(18), cy + dpi(5));
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(mark);
  DeleteObject(pen);
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, selected ? RGB(255, 255, 255) : RGB(20, 60, 30));
  RECT text = {rect.left + dpi(22), rect.top, rect.right - dpi(4), rect.bottom};
  DrawTextA(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
  SelectObject(dc, oldFont);
}

void DrawLogo(HDC dc, const RECT& rect, HFONT font) {
  FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
  int margin = (rect.bottom - rect.top) / 24;  // 2 pixels at 96 DPI
  int size = (rect.bottom - rect.top) - 2 * margin;
  int left = rect.left + margin, top = rect.top + margin;
  HBRUSH green = CreateSolidBrush(RGB(46, 158, 79));
  HPEN edge = CreatePen(PS_SOLID, margin / 2 > 0 ? margin / 2 : 1, RGB(20, 90, 44));
  HGDIOBJ oldBrush = SelectObject(dc, green);
  HGDIOBJ oldPen = SelectObject(dc, edge);
  Ellipse(dc, left, top, left + size, top + size);
  HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
  SelectObject(dc, white);
  SelectObject(dc, GetStockObject(NULL_PEN));
  int band = size / 4;
  RoundRect(dc, left + size / 6, top + size / 2 - band / 2, left + size - size / 6,
            top + size / 2 + band / 2, band, band);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(green);
  DeleteObject(white);
  DeleteObject(edge);
  // The name beside the disc.
  RECT text = {left + size + 3 * margin, rect.top, rect.right, rect.bottom};
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(20, 90, 44));
  DrawTextA(dc, "Vb", -1, &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  SelectObject(dc, oldFont);
}

}  // namespace vb::win32app
