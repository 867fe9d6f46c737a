#include "cli/run_progress.h"

#include "engine/number_format.h"

namespace vb::cli {

using engine::GroupedNumber;
using engine::SizeText;

namespace {

constexpr std::size_t kWidth = 79;  // a terminal's 80 columns, the cursor's column spared
constexpr std::chrono::milliseconds kInterval{100};

// The folder of a file, or the folder, key or URL itself.
std::string Place(const engine::Action& action) {
  if (action.kind != engine::ActionKind::kFile) return action.path;
  std::size_t slash = action.path.find_last_of('\\');
  return slash == std::string::npos ? action.path : action.path.substr(0, slash);
}

}  // namespace

void RunProgress::Update(const engine::RunTally& tally, const engine::Action& action) {
  auto now = clock_();
  if (now < next_) return;
  next_ = now + kInterval;
  std::string line = GroupedNumber(tally.files) + " files, " + SizeText(tally.bytes) + "  ";
  std::string place = Place(action);
  // The end of a long path is what tells where the run is.
  if (line.size() + place.size() > kWidth)
    place = "..." + place.substr(place.size() - (kWidth - line.size() - 3));
  line += place;
  std::size_t width = line.size();
  if (width < shown_) line += std::string(shown_ - width, ' ');
  terminal_ << '\r' << line << std::flush;
  shown_ = width;
}

void RunProgress::Erase() {
  if (shown_ == 0) return;
  terminal_ << '\r' << std::string(shown_, ' ') << '\r' << std::flush;
  shown_ = 0;
}

}  // namespace vb::cli
