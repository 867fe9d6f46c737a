// Creates the native counterpart of a control by its kind.
#pragma once

#include <memory>

#include "win32app/control_adapter.h"

namespace vb::win32app {

// The control's adapter with its native window made; null for the kinds that
// have no window of their own (menus and their items).
std::unique_ptr<ControlAdapter> MakeAdapter(toolkit::Control& control, const NativeParent& parent,
                                            int id);

}  // namespace vb::win32app
