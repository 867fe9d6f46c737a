#include "win32app/renderer.h"

#include <commctrl.h>

#include <cstring>
#include <string>

#include "win32app/artwork.h"

namespace vb::win32app {

using toolkit::Control;
using toolkit::Form;
using toolkit::Kind;
using toolkit::Property;

namespace {

constexpr const char* kFormClass = "VanbriskForm";
constexpr int kTwipsPerPixel = 15;
constexpr int kFirstId = 100;
constexpr int kMenuIdBase = 40000;
constexpr int kComboDropHeight = 160;

bool IsPageButton(const Control& c) {
  return c.GetLook() == toolkit::Look::kPageButton ||
         c.GetLook() == toolkit::Look::kPageButtonSelected;
}

bool Background(const Control& c) {
  return c.kind() == Kind::kFrame || c.kind() == Kind::kTabStrip || c.kind() == Kind::kShape;
}

// Whether the native control should be enabled: it and every frame it sits in.
bool EnabledChain(const Control& c) {
  for (const Control* p = &c; p; p = p->container())
    if (!p->Enabled()) return false;
  return true;
}

struct ClassAndStyle {
  const char* windowClass;
  DWORD style;
  DWORD exStyle;
};

ClassAndStyle NativeKind(const Control& c) {
  constexpr DWORD child = WS_CHILD | WS_CLIPSIBLINGS;
  switch (c.kind()) {
    case Kind::kLabel: return {"STATIC", child | SS_LEFT | SS_NOTIFY, 0};
    case Kind::kFrame: return {"BUTTON", child | BS_GROUPBOX, 0};
    case Kind::kButton: return {"BUTTON", child | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case Kind::kCheckBox: return {"BUTTON", child | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case Kind::kPictureBox: return {"STATIC", child | SS_OWNERDRAW | SS_NOTIFY, 0};
    case Kind::kTextBox: {
      auto& text = static_cast<const toolkit::TextBox&>(c);
      DWORD s = child | WS_TABSTOP | (text.Locked() ? ES_READONLY : 0);
      s |= text.MultiLine() ? ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL : ES_AUTOHSCROLL;
      return {"EDIT", s, WS_EX_CLIENTEDGE};
    }
    case Kind::kListBox:
    case Kind::kListView:
      return {WC_LISTVIEWA,
              child | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL |
                  LVS_NOCOLUMNHEADER,
              WS_EX_CLIENTEDGE};
    case Kind::kComboBox: return {"COMBOBOX", child | WS_TABSTOP | CBS_DROPDOWN | WS_VSCROLL, 0};
    case Kind::kTabStrip: return {WC_TABCONTROLA, child | WS_TABSTOP, 0};
    case Kind::kProgressBar: return {PROGRESS_CLASSA, child, 0};
    case Kind::kShape: return {"STATIC", child | SS_ETCHEDFRAME, 0};
    case Kind::kMenu:
    case Kind::kMenuItem: break;
  }
  return {nullptr, 0, 0};
}

std::string WindowText(HWND hwnd) {
  int length = GetWindowTextLengthA(hwnd);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  GetWindowTextA(hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

bool HasCheckMarks(const Control& c) {
  if (c.kind() == Kind::kListBox) return static_cast<const toolkit::ListBox&>(c).HasCheckBoxes();
  if (c.kind() == Kind::kListView) return static_cast<const toolkit::ListView&>(c).HasCheckBoxes();
  return false;
}

}  // namespace

Renderer::Renderer(HINSTANCE instance, app::Program& program)
    : instance_(instance), program_(program) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  WNDCLASSA wc = {};
  wc.lpfnWndProc = FormProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kFormClass;
  wc.hIcon = LoadIconA(instance, "APPICON");
  RegisterClassA(&wc);
  // Tahoma 8.25 pt at 96 DPI is 11 pixels high.
  font_ = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY,
                      0, "Tahoma");
  arial_ = CreateFontA(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0,
                       "Arial");
  banner_ = CreateFontA(-28, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY,
                        0, "Tahoma");
  program_.onNewApplication = [this](toolkit::Application& app) { Watch(app); };
}

Renderer::~Renderer() {
  program_.onNewApplication = nullptr;
  DestroyAll();
  DeleteObject(font_);
  DeleteObject(arial_);
  DeleteObject(banner_);
}

void Renderer::Watch(toolkit::Application& app) {
  app.onFormCreated = [this](Form& form) {
    form.AddObserver([this](Form& f, Control* c, Property p) { OnChange(f, c, p); });
  };
}

Renderer::NativeForm* Renderer::Native(Form& form) {
  for (auto& n : forms_)
    if (n->form == &form) return n.get();
  return nullptr;
}

Renderer::NativeForm* Renderer::NativeOf(HWND hwnd) {
  for (auto& n : forms_)
    if (n->hwnd == hwnd) return n.get();
  return nullptr;
}

void Renderer::OnChange(Form& form, Control* control, Property property) {
  NativeForm* native = Native(form);
  if (!native) {
    // A window gets its native counterpart when it is first shown; one that
    // is never shown (quiet mode) never gets one.
    if (!control && property == Property::kVisible && form.Visible()) Create(form);
    return;
  }
  if (!native->hwnd) return;
  if (!control) {
    switch (property) {
      case Property::kVisible:
        ShowWindow(native->hwnd, form.Visible() ? SW_SHOW : SW_HIDE);
        if (form.Visible()) SyncVisibility(*native);
        break;
      case Property::kEnabled: EnableWindow(native->hwnd, form.Enabled()); break;
      case Property::kCaption: SetWindowTextA(native->hwnd, form.Caption().c_str()); break;
      default: break;
    }
    return;
  }
  SyncControl(*native, *control, property);
}

void Renderer::Create(Form& form) {
  auto native = std::make_unique<NativeForm>();
  native->form = &form;
  NativeForm& n = *native;
  forms_.push_back(std::move(native));

  // The client area holds every control's rectangle.
  int width = 0, height = 0;
  for (const auto& c : form.Controls()) {
    const toolkit::Rect& r = c->Position();
    width = std::max(width, r.left + r.width + 8);
    height = std::max(height, r.top + r.height + 8);
  }
  RECT frame = {0, 0, width, height};
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  AdjustWindowRect(&frame, style, FALSE);
  int x = static_cast<int>(form.Left()) / kTwipsPerPixel;
  int y = static_cast<int>(form.Top()) / kTwipsPerPixel;
  RECT place = {x, y, x + frame.right - frame.left, y + frame.bottom - frame.top};
  // A stored position off every monitor would open the window out of sight.
  if (!MonitorFromRect(&place, MONITOR_DEFAULTTONULL)) {
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    x = work.left + ((work.right - work.left) - (place.right - place.left)) / 2;
    y = work.top + ((work.bottom - work.top) - (place.bottom - place.top)) / 2;
  }
  HWND owner = nullptr;
  if (Form* o = form.Owner())
    if (NativeForm* on = Native(*o)) owner = on->hwnd;
  n.hwnd = CreateWindowExA(owner ? WS_EX_DLGMODALFRAME : 0, kFormClass, form.Caption().c_str(),
                           style, x, y, frame.right - frame.left, frame.bottom - frame.top, owner,
                           nullptr, instance_, this);
  SetWindowLongPtrA(n.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  int id = kFirstId;
  for (const auto& c : form.Controls()) CreateControl(n, *c, id++);
  // Frames, tab strips and shapes lie under what is drawn on them.
  for (auto it = form.Controls().rbegin(); it != form.Controls().rend(); ++it)
    if (Background(**it) && n.windows.count(it->get()))
      SetWindowPos(n.windows[it->get()], HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SyncVisibility(n);
  if (toolkit::Button* def = form.DefaultButton()) SyncControl(n, *def, Property::kDefaultButton);
  EnableWindow(n.hwnd, form.Enabled());
  ShowWindow(n.hwnd, SW_SHOW);
  UpdateWindow(n.hwnd);
}

void Renderer::CreateControl(NativeForm& n, Control& c, int id) {
  ClassAndStyle kind = NativeKind(c);
  n.byId[id] = &c;
  if (!kind.windowClass) return;
  const toolkit::Rect& r = c.Position();
  int height = c.kind() == Kind::kComboBox ? r.height + kComboDropHeight : r.height;
  std::string text = c.kind() == Kind::kTextBox ? static_cast<toolkit::TextBox&>(c).Text() : c.Caption();
  HWND hwnd = CreateWindowExA(kind.exStyle, kind.windowClass, text.c_str(), kind.style, r.left,
                              r.top, r.width, height, n.hwnd,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  n.windows[&c] = hwnd;
  HFONT font = c.Font() == toolkit::FontRole::kBanner   ? banner_
               : c.Font() == toolkit::FontRole::kSymbol ? arial_
                                                        : font_;
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (!c.ToolTipText().empty()) {
    HWND tip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP, 0, 0, 0, 0, n.hwnd,
                               nullptr, instance_, nullptr);
    TOOLINFOA info = {};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = n.hwnd;
    info.uId = reinterpret_cast<UINT_PTR>(hwnd);
    info.lpszText = const_cast<char*>(c.ToolTipText().c_str());
    SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
  }
  switch (c.kind()) {
    case Kind::kTextBox:
      // The right button reaches the model; the system's own edit menu never opens.
      SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProc)));
      break;
    case Kind::kListBox:
    case Kind::kListView: {
      DWORD ex = LVS_EX_FULLROWSELECT | (HasCheckMarks(c) ? LVS_EX_CHECKBOXES : 0);
      SendMessageA(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, ex, ex);
      LVCOLUMNA column = {};
      column.mask = LVCF_WIDTH;
      column.cx = r.width - 24;
      SendMessageA(hwnd, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
      break;
    }
    case Kind::kProgressBar: SendMessageA(hwnd, PBM_SETRANGE32, 0, 100); break;
    default: break;
  }
  for (Property p : {Property::kValue, Property::kItems, Property::kSelection, Property::kEnabled})
    SyncControl(n, c, p);
}

void Renderer::SyncVisibility(NativeForm& n) {
  for (auto& [control, hwnd] : n.windows) ShowWindow(hwnd, control->Shown() ? SW_SHOWNA : SW_HIDE);
  // Frames and tab strips do not paint what lies inside them: repaint the
  // whole window so that nothing of the page before remains.
  RedrawWindow(n.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void Renderer::SyncControl(NativeForm& n, Control& c, Property property) {
  if (c.kind() == Kind::kMenu && property == Property::kVisible && n.form->OpenPopup() == &c) {
    ShowPopup(n, static_cast<toolkit::Menu&>(c));
    return;
  }
  auto found = n.windows.find(&c);
  if (found == n.windows.end()) return;
  HWND hwnd = found->second;
  syncing_ = true;
  switch (property) {
    case Property::kVisible: SyncVisibility(n); break;
    case Property::kEnabled: EnableWindow(hwnd, EnabledChain(c)); break;
    case Property::kCaption:
      SetWindowTextA(hwnd, c.Caption().c_str());
      if (c.kind() == Kind::kPictureBox) InvalidateRect(hwnd, nullptr, TRUE);
      break;
    case Property::kText:
      if (c.kind() == Kind::kTextBox)
        SetWindowTextA(hwnd, static_cast<toolkit::TextBox&>(c).Text().c_str());
      else if (c.kind() == Kind::kComboBox)
        SetWindowTextA(hwnd, static_cast<toolkit::ComboBox&>(c).Text().c_str());
      break;
    case Property::kValue:
      if (c.kind() == Kind::kCheckBox) {
        SendMessageA(hwnd, BM_SETCHECK, static_cast<toolkit::CheckBox&>(c).Value(), 0);
      } else if (c.kind() == Kind::kProgressBar) {
        SendMessageA(hwnd, PBM_SETPOS, static_cast<toolkit::ProgressBar&>(c).Value(), 0);
        UpdateWindow(hwnd);  // the run does not yield, so paint now
      }
      break;
    case Property::kItems:
    case Property::kSelection: FillItems(hwnd, c); break;
    case Property::kDefaultButton:
      if (c.kind() == Kind::kButton && n.form->DefaultButton() == &c)
        for (auto& [other, h] : n.windows)
          if (other->kind() == Kind::kButton)
            SendMessageA(h, BM_SETSTYLE, other == &c ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
      break;
    default: break;
  }
  syncing_ = false;
}

void Renderer::FillItems(HWND hwnd, Control& c) {
  switch (c.kind()) {
    case Kind::kListBox:
    case Kind::kListView: {
      SendMessageA(hwnd, WM_SETREDRAW, FALSE, 0);
      SendMessageA(hwnd, LVM_DELETEALLITEMS, 0, 0);
      int count = 0, selected = -1;
      auto row = [&](int i, const std::string& text, bool checked) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<char*>(text.c_str());
        SendMessageA(hwnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        if (HasCheckMarks(c)) {
          item.stateMask = LVIS_STATEIMAGEMASK;
          item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
          SendMessageA(hwnd, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&item));
        }
      };
      if (c.kind() == Kind::kListBox) {
        auto& list = static_cast<toolkit::ListBox&>(c);
        count = list.ListCount();
        for (int i = 0; i < count; ++i) row(i, list.List(i), list.Checked(i));
        selected = list.ListIndex();
      } else {
        auto& view = static_cast<toolkit::ListView&>(c);
        count = view.Count();
        for (int i = 0; i < count; ++i) row(i, view.ItemAt(i).text, view.ItemAt(i).checked);
        selected = view.SelectedIndex();
      }
      if (selected >= 0) {
        LVITEMA item = {};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(hwnd, LVM_SETITEMSTATE, selected, reinterpret_cast<LPARAM>(&item));
        SendMessageA(hwnd, LVM_ENSUREVISIBLE, selected, FALSE);
      }
      SendMessageA(hwnd, WM_SETREDRAW, TRUE, 0);
      InvalidateRect(hwnd, nullptr, TRUE);
      break;
    }
    case Kind::kComboBox: {
      auto& combo = static_cast<toolkit::ComboBox&>(c);
      SendMessageA(hwnd, CB_RESETCONTENT, 0, 0);
      for (int i = 0; i < combo.ListCount(); ++i)
        SendMessageA(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(combo.List(i).c_str()));
      SetWindowTextA(hwnd, combo.Text().c_str());
      break;
    }
    case Kind::kTabStrip: {
      auto& tabs = static_cast<toolkit::TabStrip&>(c);
      if (SendMessageA(hwnd, TCM_GETITEMCOUNT, 0, 0) != static_cast<LRESULT>(tabs.Tabs().size())) {
        SendMessageA(hwnd, TCM_DELETEALLITEMS, 0, 0);
        for (std::size_t i = 0; i < tabs.Tabs().size(); ++i) {
          TCITEMA item = {};
          item.mask = TCIF_TEXT;
          item.pszText = const_cast<char*>(tabs.Tabs()[i].c_str());
          SendMessageA(hwnd, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        }
      }
      SendMessageA(hwnd, TCM_SETCURSEL, tabs.SelectedIndex(), 0);
      break;
    }
    default: break;
  }
}

void Renderer::ShowPopup(NativeForm& n, toolkit::Menu& menu) {
  HMENU popup = CreatePopupMenu();
  int index = 0;
  for (toolkit::MenuItem* item : menu.Items()) {
    ++index;
    if (!item->Visible()) continue;
    if (item->IsSeparator()) {
      AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    AppendMenuA(popup, MF_STRING | (item->Enabled() ? 0 : MF_GRAYED), kMenuIdBase + index,
                item->Caption().c_str());
  }
  POINT at;
  GetCursorPos(&at);
  int chosen = TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, n.hwnd, nullptr);
  DestroyMenu(popup);
  if (chosen >= kMenuIdBase && chosen - kMenuIdBase <= static_cast<int>(menu.Items().size())) {
    toolkit::MenuItem* item = menu.Items()[chosen - kMenuIdBase - 1];
    item->UserClick();
  }
  n.form->ClosePopup();
}

void Renderer::AfterEvent() {
  if (ended_ || program_.Running()) return;
  ended_ = true;
  DestroyAll();
  PostQuitMessage(0);
}

void Renderer::DestroyAll() {
  for (auto it = forms_.rbegin(); it != forms_.rend(); ++it)
    if ((*it)->hwnd && IsWindow((*it)->hwnd)) DestroyWindow((*it)->hwnd);
  forms_.clear();
}

int Renderer::Run() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    // Tab, access keys and Enter work as in a dialog.
    HWND top = GetAncestor(message.hwnd, GA_ROOT);
    if (top && NativeOf(top) && IsDialogMessageA(top, &message)) {
      AfterEvent();
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

LRESULT CALLBACK Renderer::FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Renderer*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  NativeForm* native = self ? self->NativeOf(hwnd) : nullptr;
  if (!native) return DefWindowProcA(hwnd, message, wParam, lParam);
  LRESULT result = self->Handle(*native, message, wParam, lParam);
  self->AfterEvent();
  return result;
}

LRESULT CALLBACK Renderer::EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (message == WM_CONTEXTMENU) return 0;
  if (message == WM_RBUTTONDOWN) {
    HWND form = GetParent(hwnd);
    SendMessageA(form, WM_APP, static_cast<WPARAM>(GetDlgCtrlID(hwnd)), 0);
    return 0;
  }
  return CallWindowProcA(previous, hwnd, message, wParam, lParam);
}

LRESULT Renderer::Handle(NativeForm& n, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (!syncing_) Command(n, LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return syncing_ ? 0 : Notify(n, reinterpret_cast<NMHDR*>(lParam));
    case WM_APP:  // the right button on a text box
      if (Control* c = n.byId[static_cast<int>(wParam)]) c->UserMouseDown(toolkit::MouseButton::kRight);
      return 0;
    case WM_SETCURSOR: {
      HWND over = reinterpret_cast<HWND>(wParam);
      for (auto& [control, hwnd] : n.windows)
        if (hwnd == over && control->MousePointer() == toolkit::Pointer::kHand) {
          control->UserMouseMove();
          return TRUE;
        }
      break;
    }
    case DM_GETDEFID:
      if (toolkit::Button* def = n.form->DefaultButton())
        for (auto& [id, control] : n.byId)
          if (control == def) return MAKELONG(id, DC_HASDEFID);
      return 0;
    case WM_DRAWITEM: {
      auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      Control* c = n.byId[static_cast<int>(draw->CtlID)];
      if (!c) break;
      if (IsPageButton(*c))
        DrawPageButton(draw->hDC, draw->rcItem, c->Caption(),
                       c->GetLook() == toolkit::Look::kPageButtonSelected, font_);
      else
        DrawLogo(draw->hDC, draw->rcItem);
      return TRUE;
    }
    case WM_MOVE:
      if (!IsIconic(n.hwnd) && !IsZoomed(n.hwnd)) {
        RECT r;
        GetWindowRect(n.hwnd, &r);
        n.form->Move(static_cast<float>(r.left * kTwipsPerPixel),
                     static_cast<float>(r.top * kTwipsPerPixel));
      }
      return 0;
    case WM_SIZE:
      n.form->SetState(wParam == SIZE_MINIMIZED   ? toolkit::WindowState::kMinimized
                       : wParam == SIZE_MAXIMIZED ? toolkit::WindowState::kMaximized
                                                  : toolkit::WindowState::kNormal);
      return 0;
    case WM_CLOSE:
      n.form->Unload();
      return 0;
    default: break;
  }
  return DefWindowProcA(n.hwnd, message, wParam, lParam);
}

void Renderer::Command(NativeForm& n, int id, int code) {
  if (id == IDOK) {  // Enter: the default button
    if (toolkit::Button* def = n.form->DefaultButton(); def && def->Usable()) def->UserClick();
    return;
  }
  if (id == IDCANCEL) return;
  auto found = n.byId.find(id);
  if (found == n.byId.end()) return;
  Control& c = *found->second;
  HWND hwnd = n.windows.count(&c) ? n.windows[&c] : nullptr;
  switch (c.kind()) {
    case Kind::kCheckBox:
      if (code == BN_CLICKED) {
        int value = static_cast<int>(SendMessageA(hwnd, BM_GETCHECK, 0, 0));
        auto& box = static_cast<toolkit::CheckBox&>(c);
        if (value != box.Value()) box.SetValue(value);
      }
      break;
    case Kind::kButton:
      if (code == BN_CLICKED) c.UserClick();
      break;
    case Kind::kPictureBox:
    case Kind::kLabel:
      if (code == STN_CLICKED) c.UserClick();
      break;
    case Kind::kComboBox:
      if (code == CBN_SELCHANGE)
        static_cast<toolkit::ComboBox&>(c).UserChoose(
            static_cast<int>(SendMessageA(hwnd, CB_GETCURSEL, 0, 0)));
      else if (code == CBN_EDITCHANGE)
        static_cast<toolkit::ComboBox&>(c).SetText(WindowText(hwnd));
      break;
    case Kind::kTextBox:
      if (code == EN_CHANGE) static_cast<toolkit::TextBox&>(c).SetText(WindowText(hwnd));
      break;
    default: break;
  }
}

LRESULT Renderer::Notify(NativeForm& n, NMHDR* header) {
  auto found = n.byId.find(static_cast<int>(header->idFrom));
  if (found == n.byId.end()) return 0;
  Control& c = *found->second;
  switch (header->code) {
    case TCN_SELCHANGE:
      static_cast<toolkit::TabStrip&>(c).UserChoose(
          static_cast<int>(SendMessageA(header->hwndFrom, TCM_GETCURSEL, 0, 0)));
      break;
    case LVN_ITEMCHANGED: {
      auto* change = reinterpret_cast<NMLISTVIEW*>(header);
      if (change->iItem < 0) break;
      if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK)) {
        bool checked = ((change->uNewState & LVIS_STATEIMAGEMASK) >> 12) == 2;
        if (c.kind() == Kind::kListBox)
          static_cast<toolkit::ListBox&>(c).SetChecked(change->iItem, checked);
        else
          static_cast<toolkit::ListView&>(c).SetChecked(change->iItem, checked);
      }
      if ((change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED)) {
        if (c.kind() == Kind::kListBox)
          static_cast<toolkit::ListBox&>(c).SetListIndex(change->iItem);
        else
          static_cast<toolkit::ListView&>(c).UserSelect(change->iItem);
      }
      break;
    }
    case NM_RCLICK:
      c.UserMouseDown(toolkit::MouseButton::kRight);
      break;
    case LVN_KEYDOWN:
      c.UserKeyDown(reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey);
      break;
    default: break;
  }
  return 0;
}

}  // namespace vb::win32app
