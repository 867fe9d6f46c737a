// The kinds of control the program's windows are made of.
#pragma once

#include <string>
#include <vector>

#include "toolkit/control.h"

namespace vb::toolkit {

class Label : public Control {
 public:
  Label(Form& f, std::string name, Control* in) : Control(f, Kind::kLabel, std::move(name), in) {}
};

class Frame : public Control {
 public:
  Frame(Form& f, std::string name, Control* in) : Control(f, Kind::kFrame, std::move(name), in) {}
};

class Shape : public Control {
 public:
  Shape(Form& f, std::string name, Control* in) : Control(f, Kind::kShape, std::move(name), in) {}
};

class Button : public Control {
 public:
  Button(Form& f, std::string name, Control* in) : Control(f, Kind::kButton, std::move(name), in) {}
};

class PictureBox : public Control {
 public:
  PictureBox(Form& f, std::string name, Control* in)
      : Control(f, Kind::kPictureBox, std::move(name), in) {}
};

// Value 0 clear, 1 checked. Setting the value from code fires the click
// handler whenever the value changes, exactly as a click by the user does.
class CheckBox : public Control {
 public:
  CheckBox(Form& f, std::string name, Control* in)
      : Control(f, Kind::kCheckBox, std::move(name), in) {}
  int Value() const { return value_; }
  void SetValue(int value);
  void UserClick() override { SetValue(value_ == 1 ? 0 : 1); }

 private:
  int value_ = 0;
};

class TextBox : public Control {
 public:
  TextBox(Form& f, std::string name, Control* in)
      : Control(f, Kind::kTextBox, std::move(name), in) {}
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  bool MultiLine() const { return multiLine_; }
  void SetMultiLine(bool multiLine) { multiLine_ = multiLine; }
  bool Locked() const { return locked_; }
  void SetLocked(bool locked) { locked_ = locked; }
  // Fired when the text changes.
  std::function<void()> onChange;

 private:
  std::string text_;
  bool multiLine_ = false;
  bool locked_ = false;
};

// A list of text rows; with check boxes, each row carries a check mark.
// Sorted lists keep their rows in alphabetical order without regard to case.
class ListBox : public Control {
 public:
  ListBox(Form& f, std::string name, Control* in)
      : Control(f, Kind::kListBox, std::move(name), in) {}
  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted) { sorted_ = sorted; }
  bool HasCheckBoxes() const { return checkBoxes_; }
  void SetCheckBoxes(bool on) { checkBoxes_ = on; }

  // Adds a row at index (-1: at the end, or in order when sorted); returns
  // where it went.
  int AddItem(const std::string& text, int index = -1);
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
class ListView : public Control {
 public:
  ListView(Form& f, std::string name, Control* in)
      : Control(f, Kind::kListView, std::move(name), in) {}
  struct Item {
    std::string text;
    std::vector<std::string> subItems;
    bool checked = false;
  };
  void SetColumns(std::vector<std::string> headers);
  const std::vector<std::string>& Columns() const { return columns_; }
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
  std::vector<std::string> columns_;
  std::vector<Item> items_;
  bool checkBoxes_ = false;
  int selected_ = -1;
};

class ComboBox : public Control {
 public:
  ComboBox(Form& f, std::string name, Control* in)
      : Control(f, Kind::kComboBox, std::move(name), in) {}
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

class TabStrip : public Control {
 public:
  TabStrip(Form& f, std::string name, Control* in)
      : Control(f, Kind::kTabStrip, std::move(name), in) {}
  void SetTabs(std::vector<std::string> captions);
  const std::vector<std::string>& Tabs() const { return tabs_; }
  int SelectedIndex() const { return selected_; }
  void Select(int index);
  // A click on a tab selects it and fires the click handler.
  void UserChoose(int index);

 private:
  std::vector<std::string> tabs_;
  int selected_ = 0;
};

class ProgressBar : public Control {
 public:
  ProgressBar(Form& f, std::string name, Control* in)
      : Control(f, Kind::kProgressBar, std::move(name), in) {}
  int Value() const { return value_; }
  void SetValue(int value);
  int Max() const { return 100; }

 private:
  int value_ = 0;
};

// A popup menu and its items. An item whose caption is "-" is a separator.
class MenuItem : public Control {
 public:
  MenuItem(Form& f, std::string name, Control* menu)
      : Control(f, Kind::kMenuItem, std::move(name), menu) {}
  bool IsSeparator() const { return Caption() == "-"; }
};

class Menu : public Control {
 public:
  Menu(Form& f, std::string name, Control* in) : Control(f, Kind::kMenu, std::move(name), in) {}
  std::vector<MenuItem*>& Items() { return items_; }

 private:
  std::vector<MenuItem*> items_;
};

}  // namespace vb::toolkit
