// The main window, Form1: its controls, form-level state and event handlers.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "toolkit/form.h"

namespace vb::app {

class Program;

class MainWindow {
 public:
  explicit MainWindow(Program& program);
  ~MainWindow();

  toolkit::Form& form() { return form_; }

 private:
  Program& program_;
  toolkit::Form form_;
};

}  // namespace vb::app
