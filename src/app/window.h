// A window of the program: the form it shows and its handlers. The program
// keeps every secondary window it opens and destroys it after the event that
// unloaded it.
#pragma once

#include "toolkit/form.h"

namespace vb::app {

class Window {
 public:
  virtual ~Window() = default;
  virtual toolkit::Form& form() = 0;
};

}  // namespace vb::app
