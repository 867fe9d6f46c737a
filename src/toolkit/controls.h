// The kinds of control the program's windows are made of.
#pragma once

#include <string>
#include <vector>

#include "toolkit/control.h"

namespace vb::toolkit {

// A control of one kind; kKind lets generic code (the form builder) create
// and bind controls by their type.
template <Kind K>
class ControlOf : public Control {
 public:
  static constexpr Kind kKind = K;
  ControlOf(Form& form, std::string name, Control* container)
      : Control(form, K, std::move(name), container) {}
};

class Label : public ControlOf<Kind::kLabel> {
 public:
  using ControlOf::ControlOf;
};

class Frame : public ControlOf<Kind::kFrame> {
 public:
  using ControlOf::ControlOf;
};

class Shape : public ControlOf<Kind::kShape> {
 public:
  using ControlOf::ControlOf;
};

class Button : public ControlOf<Kind::kButton> {
 public:
  using ControlOf::ControlOf;
};

class PictureBox : public ControlOf<Kind::kPictureBox> {
 public:
  using ControlOf::ControlOf;
};

// Value 0 clear, 1 checked. Setting the value from code fires the click
// handler whenever the value changes, exactly as a click by the user does.
class CheckBox : public ControlOf<Kind::kCheckBox> {
 public:
  using ControlOf::ControlOf;
  int Value() const { return value_; }
  void SetValue(int value);
  void UserClick() override { SetValue(value_ == 1 ? 0 : 1); }

 private:
  int value_ = 0;
};

class TextBox : public ControlOf<Kind::kTextBox> {
 public:
  using ControlOf::ControlOf;
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  bool MultiLine() const { return multiLine_; }
  void SetMultiLine(bool multiLine) { multiLine_ = multiLine; }
  bool Locked() const { return locked_; }
  void SetLocked(bool locked) { locked_ = locked; }
  // Scroll bars both ways: a long line runs on to the right, never wrapped.
  bool ScrollsSideways() const { return scrollsSideways_; }
  void SetScrollsSideways(bool scrolls) { scrollsSideways_ = scrolls; }
  // Fired when the text changes.
  std::function<void()> onChange;

 private:
  std::string text_;
  bool multiLine_ = false;
  bool locked_ = false;
  bool scrollsSideways_ = false;
};

// A list of text rows; with check boxes, each row carries a check mark.
// Sorted lists keep their rows in the order a Windows sorted list box gives
// them (toolkit/list_order.h).
class ListBox : public ControlOf<Kind::kListBox> {
 public:
  using ControlOf::ControlOf;
  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted) { sorted_ = sorted; }
  bool HasCheckBoxes() const { return checkBoxes_; }
  void SetCheckBoxes(bool on) { checkBoxes_ = on; }

  // Adds a row at index (-1: at the end, or in order when sorted); returns
  // where it went.
  int AddItem(std::string text, int index = -1);
  void RemoveItem(int index);
  void Clear();
  int ListCount() const { return static_cast<int>(rows_.size()); }
  const std::string& List(int index) const { return rows_.at(index).text; }
  bool Checked(int index) const { return rows_.at(index).checked; }
  void SetChecked(int index, bool checked);
  // The current row, -1 for none.
  int ListIndex() const { return listIndex_; }
  void SetListIndex(int index);
  std::function<void(int index)> onItemCheck;

 private:
  struct Row {
    std::string text;
    bool checked = false;
  };
  std::vector<Row> rows_;
  bool sorted_ = false;
  bool checkBoxes_ = false;
  int listIndex_ = -1;
};

// Rows with a text, sub-item texts and a check mark, under column headers.
class ListView : public ControlOf<Kind::kListView> {
 public:
  using ControlOf::ControlOf;
  struct Item {
    std::string text;
    std::vector<std::string> subItems;
    bool checked = false;
  };
  // Column headers with their widths in pixels; a list view without columns
  // shows its items' texts in one column as wide as itself, without a header.
  struct Column {
    std::string header;
    int width = 0;
  };
  void SetColumns(std::vector<Column> columns);
  const std::vector<Column>& Columns() const { return columns_; }
  bool HasCheckBoxes() const { return checkBoxes_; }
  void SetCheckBoxes(bool on) { checkBoxes_ = on; }

  int Add(const std::string& text, std::vector<std::string> subItems = {});
  void Remove(int index);
  void Clear();
  int Count() const { return static_cast<int>(items_.size()); }
  const Item& ItemAt(int index) const { return items_.at(index); }
  void SetChecked(int index, bool checked);
  int SelectedIndex() const { return selected_; }
  // Selecting a row by the user fires onItemClick.
  void Select(int index);
  void UserSelect(int index);
  std::function<void(int index)> onItemClick;

 private:
  std::vector<Column> columns_;
  std::vector<Item> items_;
  bool checkBoxes_ = false;
  int selected_ = -1;
};

class ComboBox : public ControlOf<Kind::kComboBox> {
 public:
  using ControlOf::ControlOf;
  int AddItem(const std::string& text);
  void Clear();
  int ListCount() const { return static_cast<int>(items_.size()); }
  const std::string& List(int index) const { return items_.at(index); }
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  int ListIndex() const { return listIndex_; }
  // Choosing an item by the user sets the text and fires the click handler.
  void UserChoose(int index);

 private:
  std::vector<std::string> items_;
  std::string text_;
  int listIndex_ = -1;
};

class TabStrip : public ControlOf<Kind::kTabStrip> {
 public:
  using ControlOf::ControlOf;
  void SetTabs(std::vector<std::string> captions);
  const std::vector<std::string>& Tabs() const { return tabs_; }
  // One tab's caption, its selection kept.
  void SetTabCaption(std::size_t index, std::string caption);
  // The entries of the language table that replace the tabs' captions, in
  // tab order; none for a strip no language file reaches.
  const std::vector<int>& TabKeys() const { return tabKeys_; }
  void SetTabKeys(std::vector<int> keys) { tabKeys_ = std::move(keys); }
  int SelectedIndex() const { return selected_; }
  void Select(int index);
  // A click on a tab selects it and fires the click handler.
  void UserChoose(int index);

 private:
  std::vector<std::string> tabs_;
  std::vector<int> tabKeys_;
  int selected_ = 0;
};

class ProgressBar : public ControlOf<Kind::kProgressBar> {
 public:
  using ControlOf::ControlOf;
  int Value() const { return value_; }
  void SetValue(int value);
  int Max() const { return 100; }

 private:
  int value_ = 0;
};

// A popup menu and its items. An item whose caption is "-" is a separator.
class MenuItem : public ControlOf<Kind::kMenuItem> {
 public:
  using ControlOf::ControlOf;
  bool IsSeparator() const { return Caption() == "-"; }
};

class Menu : public ControlOf<Kind::kMenu> {
 public:
  using ControlOf::ControlOf;
  std::vector<MenuItem*>& Items() { return items_; }

 private:
  std::vector<MenuItem*> items_;
};

}  // namespace vb::toolkit
