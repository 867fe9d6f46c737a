#include "platform/scripted_ui.h"

#include "platform/ascii_case.h"

namespace vb::platform {

using namespace vb::win;

namespace {

// The text of a box on one line: each line break shown as `lineBreak`.
std::string OneLine(const std::string& text, const char* lineBreak) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (text[i] == '\n' || text[i] == '\r')
      out += lineBreak;
    else
      out += text[i];
  }
  return out;
}

const char* AnswerName(int id) {
  switch (id) {
    case kIdOk: return "Ok";
    case kIdCancel: return "Cancel";
    case kIdYes: return "Yes";
    case kIdNo: return "No";
  }
  return "?";
}

}  // namespace

int ScriptedUi::MessageBoxA(const std::string& text, const std::string& caption, DWORD style) {
  ++boxes_;
  DWORD buttons = style & kMbTypeMask;
  // Unanswered: the safe button, No or Cancel where there is one.
  int answer = buttons == kMbYesNo || buttons == kMbYesNoCancel ? kIdNo
               : buttons == kMbOkCancel                         ? kIdCancel
                                                                : kIdOk;
  if (!answers_.empty()) {
    std::string given = FoldAscii(answers_.front());
    answers_.pop_front();
    if (given == "YES") answer = kIdYes;
    else if (given == "NO") answer = kIdNo;
    else if (given == "OK") answer = kIdOk;
    else if (given == "CANCEL") answer = kIdCancel;
  }
  if (log_ && style_ == LogStyle::kRecord)
    *log_ << "MessageBox: title \"" << caption << "\", style " << style << ", text \""
          << OneLine(text, "\\n") << "\", answer " << AnswerName(answer) << "\n";
  else if (log_)
    *log_ << caption << ": \"" << OneLine(text, " ") << "\" -> " << AnswerName(answer) << "\n";
  return answer;
}

std::string ScriptedUi::Dialog(const char* kind, const char* what, const std::string& title) {
  std::string answer;
  if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
    if (FoldAscii(answer) == "CANCEL") answer.clear();
  }
  std::string given = answer.empty() ? std::string("Cancel") : "\"" + answer + "\"";
  if (log_ && style_ == LogStyle::kRecord)
    *log_ << kind << ": title \"" << title << "\", answer " << given << "\n";
  else if (log_)
    *log_ << title << " (" << what << ") -> " << given << "\n";
  return answer;
}

std::string ScriptedUi::GetOpenFileNameA(const FileDialog& dialog) {
  return Dialog("OpenFileDialog", "file to open", dialog.title);
}

std::string ScriptedUi::GetSaveFileNameA(const FileDialog& dialog) {
  return Dialog("SaveFileDialog", "file to save", dialog.title);
}

std::string ScriptedUi::BrowseForFolder(const std::string& title) {
  return Dialog("FolderDialog", "folder", title);
}

}  // namespace vb::platform
