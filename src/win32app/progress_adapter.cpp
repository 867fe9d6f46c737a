#include "win32app/progress_adapter.h"

#include "toolkit/controls.h"

namespace vb::win32app {

ProgressAdapter::ProgressAdapter(toolkit::Control& control, const NativeParent& parent, int id)
    : ControlAdapter(control, parent, id, {PROGRESS_CLASSA, 0}, "") {
  SendMessageA(hwnd(), PBM_SETRANGE32, 0, static_cast<toolkit::ProgressBar&>(control).Max());
}

void ProgressAdapter::Sync(toolkit::Property property) {
  if (property != toolkit::Property::kValue) return ControlAdapter::Sync(property);
  SendMessageA(hwnd(), PBM_SETPOS, static_cast<toolkit::ProgressBar&>(control()).Value(), 0);
  UpdateWindow(hwnd());  // the run does not yield to the message loop, so paint now
}

}  // namespace vb::win32app
