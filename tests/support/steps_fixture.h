// The removal fixture with a routine table, for running steps and catalogue
// entries under Analyze or Run Cleaner (Run Cleaner unless a test sets
// analyzeOnly).
#pragma once

#include <set>
#include <string>
#include <vector>

#include "engine/steps.h"
#include "platform/registry_values.h"
#include "support/registry_checks.h"
#include "support/removal_fixture.h"

namespace vb::test {

class StepsFixture : public RemovalFixture {
 protected:
  StepsFixture() { analyzeOnly = false; }
  platform::Platform& p() { return m.platform(); }
  void Run(const std::vector<engine::Step>& steps) {
    engine::StepContext c = Context();
    engine::RunSteps(c, steps);
  }
  engine::StepContext Context() { return {p(), removal, routines}; }
  // The names of a key's values under HKEY_CURRENT_USER (or root).
  std::set<std::string> ValueNames(const std::string& key, win::HKEY root = win::kHkeyCurrentUser) {
    std::set<std::string> names;
    for (const auto& v : platform::ReadAllValues(p().Registry(), root, key)) names.insert(v.name);
    return names;
  }
  bool KeyExists(const std::string& key, win::HKEY root = win::kHkeyCurrentUser) {
    return test::KeyExists(p().Registry(), root, key);
  }
  using RemovalFixture::Put;
  void Put(const std::string& belowC) { RemovalFixture::Put(belowC, 10); }
  std::vector<std::string> LogLines() const { return Lines(L); }

  engine::RemovalContext& removal = context;
  engine::RoutineTable routines;
};

}  // namespace vb::test
