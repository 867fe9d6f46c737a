#include "catalogue/entry_lists.h"

namespace vb::catalogue::tables {

const std::vector<Entry>& UtilityEntries() {
  static const std::vector<Entry> entries = {};
  return entries;
}

}  // namespace vb::catalogue::tables
