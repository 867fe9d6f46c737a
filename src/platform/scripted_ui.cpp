#include "platform/scripted_ui.h"

#include "platform/ascii_case.h"

namespace vb::platform {

using namespace vb::win;

namespace {

// The text of a box on one line: line breaks shown as "\n".
std::string OneLine(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (text[i] == '\n' || text[i] == '\r')
      out += "\\n";
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
  if (log_)
    *log_ << "MessageBox: title \"" << caption << "\", style " << style << ", text \""
          << OneLine(text) << "\", answer " << AnswerName(answer) << "\n";
  return answer;
}

std::string ScriptedUi::Dialog(const char* kind, const std::string& title) {
  std::string answer;
  if (!answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
    if (FoldAscii(answer) == "CANCEL") answer.clear();
  }
  if (log_)
    *log_ << kind << ": title \"" << title << "\", answer "
          << (answer.empty() ? std::string("Cancel") : "\"" + answer + "\"") << "\n";
  return answer;
}

std::string ScriptedUi::GetOpenFileNameA(const FileDialog& dialog) {
  return Dialog("OpenFileDialog", dialog.title);
}

std::string ScriptedUi::GetSaveFileNameA(const FileDialog& dialog) {
  return Dialog("SaveFileDialog", dialog.title);
}

std::string ScriptedUi::BrowseForFolder(const std::string& title) {
  return Dialog("FolderDialog", title);
}

}  // namespace vb::platform
