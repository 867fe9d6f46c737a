#include "win32app/adapter_factory.h"

#include "win32app/button_adapter.h"
#include "win32app/combo_adapter.h"
#include "win32app/edit_adapter.h"
#include "win32app/list_adapter.h"
#include "win32app/progress_adapter.h"
#include "win32app/static_adapter.h"
#include "win32app/tab_adapter.h"

namespace vb::win32app {

std::unique_ptr<ControlAdapter> MakeAdapter(toolkit::Control& control, const NativeParent& parent,
                                            int id) {
  using toolkit::Kind;
  switch (control.kind()) {
    case Kind::kButton:
    case Kind::kCheckBox:
    case Kind::kFrame: return std::make_unique<ButtonAdapter>(control, parent, id);
    case Kind::kLabel:
    case Kind::kPictureBox:
    case Kind::kShape: return std::make_unique<StaticAdapter>(control, parent, id);
    case Kind::kTextBox: return std::make_unique<EditAdapter>(control, parent, id);
    case Kind::kListBox:
    case Kind::kListView: return std::make_unique<ListAdapter>(control, parent, id);
    case Kind::kComboBox: return std::make_unique<ComboAdapter>(control, parent, id);
    case Kind::kTabStrip: return std::make_unique<TabAdapter>(control, parent, id);
    case Kind::kProgressBar: return std::make_unique<ProgressAdapter>(control, parent, id);
    case Kind::kMenu:
    case Kind::kMenuItem: break;
  }
  return nullptr;
}

}  // namespace vb::win32app
