// The native front end: draws the toolkit model with Win32 windows. It gives
// each form a native window when the form is first shown and destroys it with
// the form, runs the message loop, and after each event lets the program
// destroy the windows that the event unloaded. It keeps no state of the
// program's own: what it shows is read from the model whenever the model says
// that something changed.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "app/program.h"
#include "toolkit/application.h"
#include "toolkit/form.h"
#include "win32app/native_form.h"

namespace vb::win32app {

class Renderer : private FormHost {
 public:
  Renderer(HINSTANCE instance, app::Program& program);
  // Lets every window go and leaves no callback into the renderer behind.
  ~Renderer();
  Renderer(const Renderer&) = delete;
  Renderer& operator=(const Renderer&) = delete;

  // The message loop; returns when the program has ended.
  int Run();

 private:
  void Watch(toolkit::Application& app);
  void OnChange(toolkit::Form& form, toolkit::Control* control, toolkit::Property property);
  void Open(toolkit::Form& form);
  void OnDestroyed(toolkit::Form& form);
  NativeForm* Find(const toolkit::Form& form) const;
  void DestroyAll();

  NativeForm* NativeFormOf(HWND window) override;
  void EnterEvent() override { ++depth_; }
  void LeaveEvent() override;
  // Done after each event the loop dispatches: destroys the windows the event
  // unloaded, and ends the loop once the program has ended.
  void AfterEvent();

  HINSTANCE instance_;
  app::Program& program_;
  std::vector<std::unique_ptr<NativeForm>> forms_;  // in the order they were shown
  // The observers added to forms hold it weakly: a form that outlives the
  // renderer tells nobody of its changes.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  int depth_ = 0;         // messages being handled, one inside another
  bool looping_ = false;  // the message loop runs
  bool ended_ = false;
};

}  // namespace vb::win32app
