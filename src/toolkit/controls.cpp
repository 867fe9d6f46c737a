#include "toolkit/controls.h"

#include <algorithm>

#include "toolkit/list_order.h"

namespace vb::toolkit {

void CheckBox::SetValue(int value) {
  if (value == value_) return;
  value_ = value;
  Notify(Property::kValue);
  FireClick();
}

void TextBox::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  Notify(Property::kText);
  if (onChange) onChange();
}

int ListBox::AddItem(std::string text, int index) {
  if (index < 0 || index > ListCount()) {
    index = ListCount();
    if (sorted_)
      index = static_cast<int>(std::upper_bound(rows_.begin(), rows_.end(), text,
                                                [](const std::string& t, const Row& r) {
                                                  return ListOrderLess(t, r.text);
                                                }) -
                               rows_.begin());
  }
  rows_.insert(rows_.begin() + index, Row{std::move(text), false});
  if (listIndex_ >= index) ++listIndex_;
  Notify(Property::kItems);
  return index;
}

void ListBox::RemoveItem(int index) {
  if (index < 0 || index >= ListCount()) return;
  rows_.erase(rows_.begin() + index);
  if (listIndex_ == index)
    listIndex_ = -1;
  else if (listIndex_ > index)
    --listIndex_;
  Notify(Property::kItems);
}

void ListBox::Clear() {
  rows_.clear();
  listIndex_ = -1;
  Notify(Property::kItems);
}

void ListBox::SetChecked(int index, bool checked) {
  if (index < 0 || index >= ListCount() || rows_[index].checked == checked) return;
  rows_[index].checked = checked;
  Notify(Property::kSelection);
  if (onItemCheck) onItemCheck(index);
}

void ListBox::SetListIndex(int index) {
  listIndex_ = index >= 0 && index < ListCount() ? index : -1;
  Notify(Property::kSelection);
}

void ListView::SetColumns(std::vector<Column> columns) {
  columns_ = std::move(columns);
  Notify(Property::kItems);
}

int ListView::Add(const std::string& text, std::vector<std::string> subItems) {
  items_.push_back(Item{text, std::move(subItems), false});
  Notify(Property::kItems);
  return Count() - 1;
}

void ListView::Remove(int index) {
  if (index < 0 || index >= Count()) return;
  items_.erase(items_.begin() + index);
  if (selected_ == index)
    selected_ = -1;
  else if (selected_ > index)
    --selected_;
  Notify(Property::kItems);
}

void ListView::Clear() {
  items_.clear();
  selected_ = -1;
  Notify(Property::kItems);
}

void ListView::SetChecked(int index, bool checked) {
  if (index < 0 || index >= Count()) return;
  items_[index].checked = checked;
  Notify(Property::kSelection);
}

void ListView::Select(int index) {
  selected_ = index >= 0 && index < Count() ? index : -1;
  Notify(Property::kSelection);
}

void ListView::UserSelect(int index) {
  Select(index);
  if (selected_ >= 0 && onItemClick) onItemClick(selected_);
}

int ComboBox::AddItem(const std::string& text) {
  items_.push_back(text);
  Notify(Property::kItems);
  return ListCount() - 1;
}

void ComboBox::Clear() {
  items_.clear();
  listIndex_ = -1;
  Notify(Property::kItems);
}

void ComboBox::SetText(const std::string& text) {
  text_ = text;
  listIndex_ = -1;
  for (int i = 0; i < ListCount(); ++i)
    if (items_[i] == text) listIndex_ = i;
  Notify(Property::kText);
}

void ComboBox::UserChoose(int index) {
  if (index < 0 || index >= ListCount()) return;
  listIndex_ = index;
  text_ = items_[index];
  Notify(Property::kText);
  FireClick();
}

void TabStrip::SetTabs(std::vector<std::string> captions) {
  tabs_ = std::move(captions);
  selected_ = 0;
  Notify(Property::kItems);
}

void TabStrip::SetTabCaption(std::size_t index, std::string caption) {
  if (index >= tabs_.size() || tabs_[index] == caption) return;
  tabs_[index] = std::move(caption);
  Notify(Property::kItems);
}

void TabStrip::Select(int index) {
  if (index < 0 || index >= static_cast<int>(tabs_.size())) return;
  selected_ = index;
  Notify(Property::kSelection);
}

void TabStrip::UserChoose(int index) {
  if (index < 0 || index >= static_cast<int>(tabs_.size())) return;
  Select(index);
  FireClick();
}

void ProgressBar::SetValue(int value) {
  value_ = std::clamp(value, 0, 100);
  Notify(Property::kValue);
}

}  // namespace vb::toolkit
