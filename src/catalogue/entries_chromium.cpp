#include <deque>
#include <string>

#include "catalogue/entry_lists.h"
#include "catalogue/table_names.h"

namespace vb::catalogue::tables {

using namespace vb::engine;

namespace {

// One browser built on Chromium: where its profiles keep their data and
// their caches (rule paths: "\*" after a "User Data" folder stands for every
// profile in it, "Default", "Profile 1", a profile of any name), and the
// folder that tells it is installed.
struct ChromiumBrowser {
  const char* name;
  const char* profiles;  // the profiles' own data
  const char* caches;    // the profiles' caches: the same folders, or their local twins
  DetectBase detectBase;
  const char* detectFolder;
};

constexpr ChromiumBrowser kBrowsers[] = {
    {"Google Chrome", "%LocalAppData%\\Google\\Chrome\\User Data\\*",
     "%LocalAppData%\\Google\\Chrome\\User Data\\*", kLocalAppData, "\\Google\\Chrome\\User Data"},
    {"Microsoft Edge", "%LocalAppData%\\Microsoft\\Edge\\User Data\\*",
     "%LocalAppData%\\Microsoft\\Edge\\User Data\\*", kLocalAppData, "\\Microsoft\\Edge\\User Data"},
    {"Brave", "%LocalAppData%\\BraveSoftware\\Brave-Browser\\User Data\\*",
     "%LocalAppData%\\BraveSoftware\\Brave-Browser\\User Data\\*", kLocalAppData,
     "\\BraveSoftware\\Brave-Browser\\User Data"},
    {"Vivaldi", "%LocalAppData%\\Vivaldi\\User Data\\*", "%LocalAppData%\\Vivaldi\\User Data\\*",
     kLocalAppData, "\\Vivaldi\\User Data"},
    // Opera keeps one profile, in the roaming folder, and its caches locally.
    {"Opera Stable", "%AppData%\\Opera Software\\Opera Stable",
     "%LocalAppData%\\Opera Software\\Opera Stable", kAppData, "\\Opera Software\\Opera Stable"},
};

// What each entry of a browser cleans, in the order of its entries.
// History: the visits and what hangs on them, the URLs, the search terms and
// the downloads; the bookmarks are another file, and so are the favicons.
const std::vector<std::string> kHistoryRows = {
    "DELETE FROM visit_source",        "DELETE FROM visits",
    "DELETE FROM keyword_search_terms", "DELETE FROM segment_usage",
    "DELETE FROM segments",            "DELETE FROM downloads_url_chains",
    "DELETE FROM downloads_slices",    "DELETE FROM downloads",
    "DELETE FROM content_annotations", "DELETE FROM context_annotations",
    "DELETE FROM clusters_and_visits", "DELETE FROM clusters",
    "DELETE FROM cluster_keywords",    "DELETE FROM cluster_visit_duplicates",
    "DELETE FROM journey_history_entries", "DELETE FROM journey_continuation_queries",
    "DELETE FROM journeys",            "DELETE FROM visited_links",
    "DELETE FROM urls",
};
const std::vector<std::string> kCookieRows = {"DELETE FROM cookies WHERE NOT kept_host(host_key)"};
// The autofill entries of forms; addresses, cards and passwords stay.
const std::vector<std::string> kFormRows = {"DELETE FROM autocomplete", "DELETE FROM autofill"};

Step ExactFiles(const std::string& folder, std::vector<std::string> names) {
  return {.kind = StepKind::kFiles, .folder = RuleFolder(folder), .patterns = std::move(names),
          .exactNames = true};
}

}  // namespace

const std::vector<Entry>& ChromiumEntries() {
  static std::deque<std::string> texts;
  static const std::vector<Entry> entries = [] {
    std::vector<Entry> made;
    for (const ChromiumBrowser& b : kBrowsers) {
      std::string p = b.profiles, c = b.caches;
      Detection installed = FolderExists(b.detectBase, b.detectFolder);
      auto entry = [&](const char* what, std::vector<Step> steps) {
        texts.push_back(std::string(b.name) + " (" + what + ")");
        made.push_back({texts.back().c_str(), AppList::kInternet, installed, kRuns, std::move(steps)});
      };
      std::vector<Step> cache = {EmptyTree(RuleFolder(c + "\\Cache\\Cache_Data")),
                                 EmptyTree(RuleFolder(c + "\\Code Cache")),
                                 EmptyTree(RuleFolder(c + "\\GPUCache")),
                                 EmptyTree(RuleFolder(p + "\\Service Worker\\CacheStorage")),
                                 EmptyTree(RuleFolder(p + "\\Service Worker\\ScriptCache"))};
      if (c != p) {
        cache.push_back(EmptyTree(RuleFolder(p + "\\Code Cache")));
        cache.push_back(EmptyTree(RuleFolder(p + "\\GPUCache")));
      }
      entry("Cache", std::move(cache));
      entry("Cookies",
            {KeepingKeptCookies(DatabaseRows(RuleFolder(p + "\\Network"), "Cookies", kCookieRows,
                                         b.name, "its cookies")),
             KeepingKeptCookies(DatabaseRows(RuleFolder(p), "Cookies", kCookieRows, b.name,
                                         "its cookies"))});
      entry("Internet History",
            {DatabaseRows(RuleFolder(p), "History", kHistoryRows, b.name, "its history"),
             ExactFiles(p, {"Visited Links"})});
      entry("Session", {EmptyTree(RuleFolder(p + "\\Sessions")),
                        ExactFiles(p, {"Current Session", "Last Session", "Current Tabs",
                                       "Last Tabs"})});
      entry("Saved Form Information",
            {DatabaseRows(RuleFolder(p), "Web Data", kFormRows, b.name, "its form data")});
    }
    return made;
  }();
  return entries;
}

}  // namespace vb::catalogue::tables
