// Popup menus: the model opens one at the mouse position; the native menu
// shows its visible items and the user's choice arrives as the item's click.
#pragma once

#include <windows.h>

#include "toolkit/controls.h"

namespace vb::win32app {

// Shows the menu over owner until the user chooses or dismisses it, then
// clicks the chosen item and closes the model's popup.
void ShowPopupMenu(HWND owner, toolkit::Menu& menu);

}  // namespace vb::win32app
