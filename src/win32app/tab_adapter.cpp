#include "win32app/tab_adapter.h"

#include "toolkit/controls.h"

namespace vb::win32app {

namespace {

toolkit::TabStrip& TabsOf(toolkit::Control& control) {
  return static_cast<toolkit::TabStrip&>(control);
}

}  // namespace

TabAdapter::TabAdapter(toolkit::Control& control, const NativeParent& parent, int id)
    : ControlAdapter(control, parent, id, {WC_TABCONTROLA, WS_TABSTOP}, control.Caption()) {}

void TabAdapter::Sync(toolkit::Property property) {
  if (property != toolkit::Property::kItems && property != toolkit::Property::kSelection)
    return ControlAdapter::Sync(property);
  if (property == toolkit::Property::kItems) {
    const std::vector<std::string>& tabs = TabsOf(control()).Tabs();
    SendMessageA(hwnd(), TCM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = 0; i < tabs.size(); ++i) {
      TCITEMA item = {};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<char*>(tabs[i].c_str());
      SendMessageA(hwnd(), TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
  }
  SendMessageA(hwnd(), TCM_SETCURSEL, TabsOf(control()).SelectedIndex(), 0);
}

void TabAdapter::Notify(const NMHDR& header) {
  if (header.code == TCN_SELCHANGE)
    TabsOf(control()).UserChoose(static_cast<int>(SendMessageA(hwnd(), TCM_GETCURSEL, 0, 0)));
}

}  // namespace vb::win32app
