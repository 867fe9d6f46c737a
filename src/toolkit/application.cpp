#include "toolkit/application.h"

#include <algorithm>

#include "platform/ascii_case.h"
#include "toolkit/form.h"

namespace vb::toolkit {

Form* Application::FindForm(const std::string& name) const {
  // A window shown again is a new instance; the loaded one, else the newest.
  Form* newest = nullptr;
  for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) {
    if (!platform::EqualsIgnoringCase((*it)->name(), name)) continue;
    if ((*it)->Loaded()) return *it;
    if (!newest) newest = *it;
  }
  return newest;
}

bool Application::EverCreated(const std::string& name) const {
  return std::any_of(createdNames_.begin(), createdNames_.end(),
                     [&](const std::string& n) { return platform::EqualsIgnoringCase(n, name); });
}

void Application::SetMousePointer(int pointer) {
  pointer_ = pointer;
  platform_.Ui().SetCursor(pointer == kPointerHourglass ? platform::Cursor::kWait
                                                        : platform::Cursor::kDefault);
}

void Application::Added(Form& form) {
  forms_.push_back(&form);
  if (!EverCreated(form.name())) createdNames_.push_back(form.name());
  if (onFormCreated) onFormCreated(form);
}

void Application::Removed(Form& form) {
  if (onFormDestroyed) onFormDestroyed(form);
  forms_.erase(std::remove(forms_.begin(), forms_.end(), &form), forms_.end());
}

}  // namespace vb::toolkit
