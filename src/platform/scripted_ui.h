// A user who answers from a script: answers queued beforehand, for the
// emulated machine, the headless front end and the tests on either platform.
// Every message box and dialog is written to a log with the answer it got:
// as a record of every detail (the box's style number, the text's line
// breaks), for transcripts that must catch any change, or as one readable
// line for a person watching a run.
#pragma once

#include <deque>
#include <ostream>
#include <string>

#include "platform/user_interface_api.h"

namespace vb::platform {

// How the log writes a box or dialog:
//   kRecord    MessageBox: title "T", style 68, text "A\nB", answer Yes
//   kReadable  T: "A B" -> Yes
enum class LogStyle { kRecord, kReadable };

class ScriptedUi final : public UserInterfaceApi {
 public:
  explicit ScriptedUi(std::ostream* log = nullptr) : log_(log) {}

  int MessageBoxA(const std::string& text, const std::string& caption, DWORD style) override;
  [[nodiscard]] std::string GetOpenFileNameA(const FileDialog& dialog) override;
  [[nodiscard]] std::string GetSaveFileNameA(const FileDialog& dialog) override;
  [[nodiscard]] std::string BrowseForFolder(const std::string& title) override;
  void SetCursor(Cursor cursor) override { cursor_ = cursor; }

  // Queues the answer to the next box or dialog: "yes", "no", "ok", "cancel"
  // (any case) for a message box, a path (or "cancel") for a dialog.
  void QueueAnswer(std::string answer) { answers_.push_back(std::move(answer)); }
  std::size_t PendingAnswers() const { return answers_.size(); }
  void SetLog(std::ostream* log, LogStyle style = LogStyle::kRecord) {
    log_ = log;
    style_ = style;
  }
  // Writes a line of what the machine did (a program it started) to the log,
  // among the boxes and dialogs.
  void Note(const std::string& line) {
    if (log_) *log_ << line << "\n";
  }
  Cursor CurrentCursor() const { return cursor_; }
  int MessageBoxCount() const { return boxes_; }

 private:
  // kind: the record's word for the dialog; what: the readable one.
  std::string Dialog(const char* kind, const char* what, const std::string& title);

  std::ostream* log_;
  LogStyle style_ = LogStyle::kRecord;
  std::deque<std::string> answers_;
  Cursor cursor_ = Cursor::kDefault;
  int boxes_ = 0;
};

}  // namespace vb::platform
