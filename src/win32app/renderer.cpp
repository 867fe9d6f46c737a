#include "win32app/renderer.h"

#include <commctrl.h>

#include <algorithm>

namespace vb::win32app {

using toolkit::Control;
using toolkit::Form;
using toolkit::Property;

Renderer::Renderer(HINSTANCE instance, app::Program& program)
    : instance_(instance), program_(program) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  NativeForm::RegisterWindowClass(instance);
  program_.onNewApplication = [this](toolkit::Application& app) { Watch(app); };
}

Renderer::~Renderer() {
  program_.onNewApplication = nullptr;
  program_.app().onFormCreated = nullptr;
  program_.app().onFormDestroyed = nullptr;
  alive_.reset();
  DestroyAll();
}

void Renderer::Watch(toolkit::Application& app) {
  app.onFormCreated = [this, alive = std::weak_ptr<bool>(alive_)](Form& form) {
    form.AddObserver([this, alive](Form& f, Control* c, Property p) {
      if (!alive.expired()) OnChange(f, c, p);
    });
  };
  app.onFormDestroyed = [this](Form& form) { OnDestroyed(form); };
}

NativeForm* Renderer::Find(const Form& form) const {
  for (const auto& native : forms_)
    if (&native->form() == &form) return native.get();
  return nullptr;
}

NativeForm* Renderer::NativeFormOf(HWND window) {
  for (const auto& native : forms_)
    if (native->hwnd() == window) return native.get();
  return nullptr;
}

void Renderer::OnChange(Form& form, Control* control, Property property) {
  if (ended_) return;
  if (NativeForm* native = Find(form)) {
    native->OnChange(control, property);
  } else if (!control && property == Property::kVisible && form.Visible()) {
    // A form gets its window when it is first shown; one that is never shown
    // (quiet mode) never gets one.
    Open(form);
  }
}

void Renderer::Open(Form& form) {
  HWND owner = nullptr;
  if (Form* o = form.Owner())
    if (NativeForm* native = Find(*o)) owner = native->hwnd();
  forms_.push_back(std::make_unique<NativeForm>(form));
  // Known before its window exists: the window paints its controls as it opens.
  forms_.back()->Open(instance_, owner, *this);
}

void Renderer::OnDestroyed(Form& form) {
  auto found = std::find_if(forms_.begin(), forms_.end(),
                            [&](const auto& native) { return &native->form() == &form; });
  if (found == forms_.end()) return;
  // Forgotten first: the window procedure finds no form while the window goes.
  std::unique_ptr<NativeForm> dying = std::move(*found);
  forms_.erase(found);
}

void Renderer::DestroyAll() {
  // The newest first: owned windows go before their owners.
  while (!forms_.empty()) {
    std::unique_ptr<NativeForm> dying = std::move(forms_.back());
    forms_.pop_back();
  }
}

void Renderer::LeaveEvent() {
  if (--depth_ == 0) AfterEvent();
}

void Renderer::AfterEvent() {
  // Before the loop runs the program is still starting; within a message the
  // event that sent it is not over (a handler may be in a message box).
  if (!looping_ || ended_ || depth_ > 0) return;
  ++depth_;  // what the windows are told while others go is part of this step
  program_.AfterEvent();
  --depth_;
  if (program_.Running()) return;
  ended_ = true;
  DestroyAll();
  PostQuitMessage(0);
}

int Renderer::Run() {
  looping_ = true;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    // Tab, access keys and Enter work as in a dialog.
    HWND top = GetAncestor(message.hwnd, GA_ROOT);
    if (!(top && NativeFormOf(top) && IsDialogMessageA(top, &message))) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    AfterEvent();
  }
  looping_ = false;
  return 0;
}

}  // namespace vb::win32app
