// The native window: draws the toolkit model with Win32 controls and turns the
// user's input into the model's events. Every kind of control has one native
// counterpart, bound once per kind. The renderer keeps no state of the
// program's own: what it shows is read from the model whenever the model says
// that something changed.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "app/program.h"
#include "toolkit/application.h"
#include "toolkit/form.h"

namespace vb::win32app {

class Renderer {
 public:
  Renderer(HINSTANCE instance, app::Program& program);
  ~Renderer();

  // The message loop; returns when the program has ended.
  int Run();

 private:
  struct NativeForm {
    toolkit::Form* form = nullptr;
    HWND hwnd = nullptr;
    std::map<int, toolkit::Control*> byId;
    std::map<toolkit::Control*, HWND> windows;
  };

  void Watch(toolkit::Application& app);
  void OnChange(toolkit::Form& form, toolkit::Control* control, toolkit::Property property);
  NativeForm* Native(toolkit::Form& form);
  NativeForm* NativeOf(HWND hwnd);
  void Create(toolkit::Form& form);
  void CreateControl(NativeForm& native, toolkit::Control& control, int id);
  void SyncVisibility(NativeForm& native);
  void SyncControl(NativeForm& native, toolkit::Control& control, toolkit::Property property);
  void FillItems(HWND hwnd, toolkit::Control& control);
  void ShowPopup(NativeForm& native, toolkit::Menu& menu);
  void AfterEvent();
  void DestroyAll();

  static LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(NativeForm& native, UINT message, WPARAM wParam, LPARAM lParam);
  void Command(NativeForm& native, int id, int code);
  LRESULT Notify(NativeForm& native, NMHDR* header);

  HINSTANCE instance_;
  app::Program& program_;
  HFONT font_ = nullptr;
  HFONT arial_ = nullptr;
  HFONT banner_ = nullptr;
  std::vector<std::unique_ptr<NativeForm>> forms_;
  bool syncing_ = false;  // true while the renderer itself changes native controls
  bool ended_ = false;
};

}  // namespace vb::win32app
