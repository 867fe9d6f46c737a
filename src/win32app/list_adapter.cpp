#include "win32app/list_adapter.h"

namespace vb::win32app {

using toolkit::Kind;
using toolkit::ListBox;
using toolkit::ListView;

namespace {

// Room that a column as wide as the control leaves for the border and the
// vertical scroll bar.
constexpr int kScrollRoom = 24;

const std::vector<std::string> kNoSubItems;

// The columns to show: the list view's own, else one without a header as
// wide as the control.
std::vector<ListView::Column> ColumnsOf(const toolkit::Control& control) {
  if (control.kind() == Kind::kListView) {
    const auto& columns = static_cast<const ListView&>(control).Columns();
    if (!columns.empty()) return columns;
  }
  return {{"", control.Position().width - kScrollRoom}};
}

bool Same(const std::vector<ListView::Column>& a, const std::vector<ListView::Column>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i].header != b[i].header || a[i].width != b[i].width) return false;
  return true;
}

// A header only where some column has a caption for it.
DWORD HeaderStyle(const std::vector<ListView::Column>& columns) {
  for (const ListView::Column& c : columns)
    if (!c.header.empty()) return 0;
  return LVS_NOCOLUMNHEADER;
}

}  // namespace

ListAdapter::ListAdapter(toolkit::Control& control, const NativeParent& parent, int id)
    : ControlAdapter(control, parent, id,
                     {WC_LISTVIEWA,
                      WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL |
                          HeaderStyle(ColumnsOf(control)),
                      WS_EX_CLIENTEDGE},
                     "") {
  DWORD ex = LVS_EX_FULLROWSELECT | (HasCheckMarks() ? LVS_EX_CHECKBOXES : 0);
  SendMessageA(hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, ex, ex);
  SyncColumns();
}

int ListAdapter::Count() const {
  if (control().kind() == Kind::kListBox) return static_cast<const ListBox&>(control()).ListCount();
  return static_cast<const ListView&>(control()).Count();
}

ListAdapter::Row ListAdapter::RowAt(int index) const {
  if (control().kind() == Kind::kListBox) {
    const auto& list = static_cast<const ListBox&>(control());
    return {list.List(index), kNoSubItems, list.Checked(index)};
  }
  const ListView::Item& item = static_cast<const ListView&>(control()).ItemAt(index);
  return {item.text, item.subItems, item.checked};
}

int ListAdapter::Selected() const {
  if (control().kind() == Kind::kListBox) return static_cast<const ListBox&>(control()).ListIndex();
  return static_cast<const ListView&>(control()).SelectedIndex();
}

bool ListAdapter::HasCheckMarks() const {
  if (control().kind() == Kind::kListBox)
    return static_cast<const ListBox&>(control()).HasCheckBoxes();
  return static_cast<const ListView&>(control()).HasCheckBoxes();
}

void ListAdapter::Sync(toolkit::Property property) {
  switch (property) {
    case toolkit::Property::kItems:
      SyncColumns();
      Fill();
      break;
    case toolkit::Property::kSelection: SyncStates(); break;
    case toolkit::Property::kPosition:
      ControlAdapter::Sync(property);
      SyncColumns();  // a column as wide as the control follows its width
      break;
    default: ControlAdapter::Sync(property); break;
  }
}

void ListAdapter::Rescale() {
  ControlAdapter::Rescale();
  for (std::size_t i = 0; i < columns_.size(); ++i)
    SendMessageA(hwnd(), LVM_SETCOLUMNWIDTH, i, dpi()(columns_[i].width));
}

void ListAdapter::SyncColumns() {
  std::vector<ListView::Column> wanted = ColumnsOf(control());
  if (Same(wanted, columns_)) return;
  for (std::size_t i = 0; i < columns_.size(); ++i) SendMessageA(hwnd(), LVM_DELETECOLUMN, 0, 0);
  columns_ = std::move(wanted);
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.cx = dpi()(columns_[i].width);
    column.pszText = const_cast<char*>(columns_[i].header.c_str());
    column.iSubItem = static_cast<int>(i);
    SendMessageA(hwnd(), LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
  }
  LONG_PTR style = GetWindowLongPtrA(hwnd(), GWL_STYLE);
  LONG_PTR header = static_cast<LONG_PTR>(HeaderStyle(columns_));
  if ((style & LVS_NOCOLUMNHEADER) != header)
    SetWindowLongPtrA(hwnd(), GWL_STYLE, (style & ~LONG_PTR{LVS_NOCOLUMNHEADER}) | header);
}

void ListAdapter::Fill() {
  SendMessageA(hwnd(), WM_SETREDRAW, FALSE, 0);
  SendMessageA(hwnd(), LVM_DELETEALLITEMS, 0, 0);
  const int count = Count();
  for (int i = 0; i < count; ++i) {
    Row row = RowAt(i);
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = const_cast<char*>(row.text.c_str());
    SendMessageA(hwnd(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    // Sub-items past the last column have nowhere to go.
    for (std::size_t s = 0; s < row.subItems.size() && s + 1 < columns_.size(); ++s) {
      item.iSubItem = static_cast<int>(s + 1);
      item.pszText = const_cast<char*>(row.subItems[s].c_str());
      SendMessageA(hwnd(), LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
    }
  }
  SyncStates();
  SendMessageA(hwnd(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void ListAdapter::SetCheckMark(int index, bool checked) {
  LVITEMA item = {};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
  SendMessageA(hwnd(), LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}

void ListAdapter::SyncStates() {
  const int count = Count();
  if (SendMessageA(hwnd(), LVM_GETITEMCOUNT, 0, 0) != count) return Fill();
  if (HasCheckMarks())
    for (int i = 0; i < count; ++i) SetCheckMark(i, RowAt(i).checked);
  const int selected = Selected();
  if (SendMessageA(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED) == selected)
    return;
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
  if (selected < 0) return;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(hwnd(), LVM_SETITEMSTATE, selected, reinterpret_cast<LPARAM>(&item));
  SendMessageA(hwnd(), LVM_ENSUREVISIBLE, selected, FALSE);
}

void ListAdapter::Notify(const NMHDR& header) {
  switch (header.code) {
    case LVN_ITEMCHANGED: {
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      if (change.iItem < 0) break;
      if ((change.uChanged & LVIF_STATE) &&
          ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK)) {
        bool checked = ((change.uNewState & LVIS_STATEIMAGEMASK) >> 12) == 2;
        if (control().kind() == Kind::kListBox)
          static_cast<ListBox&>(control()).SetChecked(change.iItem, checked);
        else
          static_cast<ListView&>(control()).SetChecked(change.iItem, checked);
      }
      if ((change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED)) {
        if (control().kind() == Kind::kListBox)
          static_cast<ListBox&>(control()).SetListIndex(change.iItem);
        else
          static_cast<ListView&>(control()).UserSelect(change.iItem);
      }
      break;
    }
    case NM_RCLICK: control().UserMouseDown(toolkit::MouseButton::kRight); break;
    case LVN_KEYDOWN:
      control().UserKeyDown(reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey);
      break;
    default: break;
  }
}

}  // namespace vb::win32app
