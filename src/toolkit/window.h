// A window of the program: the form it shows and its handlers. The program
// keeps every secondary window it opens and destroys it after the event that
// unloaded it.
#pragma once

#include "toolkit/form.h"

namespace vb::toolkit {

class Window {
 public:
  virtual ~Window() = default;
  virtual Form& form() = 0;

  // Shows the window over the main window, which stays disabled until this
  // window unloads.
  void ShowOwnedBy(Form& main) {
    form().Move(main.Left() + 1800, main.Top() + 1500);
    form().ShowOwned(main);
    main.SetEnabled(false);
  }
};

}  // namespace vb::toolkit
