#include "cli/run_facts.h"

#include <cstdio>

#include "app/group_policy.h"
#include "cli/json_text.h"
#include "product/version.h"

namespace vb::cli {

RunFacts ReadRunFacts(platform::Platform& platform) {
  RunFacts facts;
  facts.computer = platform.Environment().GetEnvironmentVariableA("COMPUTERNAME");
  facts.user = platform.Environment().GetEnvironmentVariableA("USERNAME");
  facts.policy = app::ReadGroupPolicy(platform.Registry());
  return facts;
}

std::string IsoUtc(std::chrono::system_clock::time_point time) {
  using namespace std::chrono;
  auto seconds = floor<std::chrono::seconds>(time);
  auto days = floor<std::chrono::days>(seconds);
  year_month_day date(days);
  hh_mm_ss clock(seconds - days);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
                static_cast<int>(clock.seconds().count()));
  return text;
}

std::string RunFactsJson(const RunFacts& facts, win::DWORD codePage) {
  auto text = [codePage](const std::string& t) { return JsonString(t, codePage); };
  std::string policy;
  auto field = [&policy, &text](const std::string& name, const std::string& json) {
    policy += (policy.empty() ? "" : ", ") + text(name) + ": " + json;
  };
  for (const auto& [setting, value] : facts.policy.boxes) field(setting, std::to_string(value));
  if (facts.policy.warningAccepted) field(app::kWarningPolicy, "1");
  if (facts.policy.entries) {
    std::string list;
    for (const std::string& entry : *facts.policy.entries)
      list += (list.empty() ? "" : ", ") + text(entry);
    field(app::kEntriesPolicy, "[" + list + "]");
  }
  if (facts.policy.language) field(app::kLanguagePolicy, text(*facts.policy.language));
  return ", \"computer\": " + text(facts.computer) + ", \"user\": " + text(facts.user) +
         ", \"version\": " + text(product::kVersion) + ", \"started\": " + text(facts.started) +
         ", \"ended\": " + text(facts.ended) + ", \"policy\": {" + policy + "}";
}

}  // namespace vb::cli
