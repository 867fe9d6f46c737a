// The running program as the toolkit sees it: its forms, the screen's mouse
// pointer, and whether the program has ended.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace vb::toolkit {

class Form;

// Screen mouse pointers.
inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerHourglass = 11;

class Application {
 public:
  explicit Application(platform::Platform& platform) : platform_(platform) {}

  platform::Platform& platform() const { return platform_; }

  // The forms in the order they were created.
  const std::vector<Form*>& Forms() const { return forms_; }
  // The form of that name (case ignored): the loaded instance, else the newest.
  [[nodiscard]] Form* FindForm(const std::string& name) const;

  // Whether a form of that name (case ignored) was ever created here: a
  // window that was open and is destroyed now is known, and not visible.
  [[nodiscard]] bool EverCreated(const std::string& name) const;

  // Ends the program: every window goes, nothing more runs.
  void End() { ended_ = true; }
  bool Ended() const { return ended_; }

  int MousePointer() const { return pointer_; }
  void SetMousePointer(int pointer);

  // Told when a form is created, so that a renderer can show it, and when it
  // is destroyed, so that the renderer lets its native window go. A destroyed
  // form is told while its controls still exist; it must not be changed then.
  std::function<void(Form&)> onFormCreated;
  std::function<void(Form&)> onFormDestroyed;

 private:
  friend class Form;
  void Added(Form& form);
  void Removed(Form& form);

  platform::Platform& platform_;
  std::vector<Form*> forms_;
  std::vector<std::string> createdNames_;
  bool ended_ = false;
  int pointer_ = kPointerDefault;
};

}  // namespace vb::toolkit
