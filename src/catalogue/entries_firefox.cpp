#include "catalogue/entry_lists.h"
#include "catalogue/table_names.h"

namespace vb::catalogue::tables {

using namespace vb::engine;

namespace {

// Each profile that Firefox's profiles.ini names, in the roaming folder and
// in the local one, where its cache is.
Folder Profile(std::string tail = "") { return UAD(kFirefoxProfile + tail); }
Folder LocalProfile(std::string tail) { return LAD(kFirefoxProfile + tail); }

// History: every visit, then the places nothing keeps (a bookmark, a
// keyword), with their annotations and the origins left without a place;
// the bookmarked places stay, their visit counts reset.
const std::vector<std::string> kHistoryRows = {
    "DELETE FROM moz_historyvisits_extra",
    "DELETE FROM moz_historyvisits",
    "DELETE FROM moz_inputhistory",
    "DELETE FROM moz_places_metadata_search_queries",
    "DELETE FROM moz_places_metadata",
    "DELETE FROM moz_annos WHERE place_id NOT IN (SELECT fk FROM moz_bookmarks WHERE fk NOT NULL)",
    "DELETE FROM moz_places WHERE id NOT IN (SELECT fk FROM moz_bookmarks WHERE fk NOT NULL) "
    "AND id NOT IN (SELECT place_id FROM moz_keywords WHERE place_id NOT NULL)",
    "DELETE FROM moz_places_extra WHERE place_id NOT IN (SELECT id FROM moz_places)",
    "UPDATE moz_places SET visit_count = 0, last_visit_date = NULL WHERE visit_count <> 0 OR "
    "last_visit_date IS NOT NULL",
    "DELETE FROM moz_origins WHERE id NOT IN "
    "(SELECT origin_id FROM moz_places WHERE origin_id NOT NULL)",
};
// Downloads: the places downloaded from that no other visit, bookmark or
// keyword keeps, the annotations that tell where each download went, and
// the download visits.
const std::vector<std::string> kDownloadRows = {
    "DELETE FROM moz_places WHERE id IN (SELECT place_id FROM moz_historyvisits WHERE visit_type = 7) "
    "AND id NOT IN (SELECT place_id FROM moz_historyvisits WHERE visit_type <> 7) "
    "AND id NOT IN (SELECT fk FROM moz_bookmarks WHERE fk NOT NULL) "
    "AND id NOT IN (SELECT place_id FROM moz_keywords WHERE place_id NOT NULL)",
    "DELETE FROM moz_places_extra WHERE place_id NOT IN (SELECT id FROM moz_places)",
    "DELETE FROM moz_annos WHERE place_id NOT IN (SELECT id FROM moz_places) OR anno_attribute_id IN "
    "(SELECT id FROM moz_anno_attributes WHERE name LIKE 'downloads/%')",
    "DELETE FROM moz_historyvisits WHERE visit_type = 7",
};
const std::vector<std::string> kCookieRows = {"DELETE FROM moz_cookies WHERE NOT kept_host(host)"};
const std::vector<std::string> kFormRows = {"DELETE FROM moz_history_to_sources",
                                            "DELETE FROM moz_sources", "DELETE FROM moz_formhistory"};

}  // namespace

// Firefox as it keeps its data today: databases and the cache2 folder, in
// every profile. The entries of the older Firefox stay beside these.
const std::vector<Entry>& FirefoxEntries() {
  constexpr AppList IE = AppList::kInternet;
  const Detection installed = FolderHasEntry(kAppData, "\\Mozilla\\Firefox\\Profiles");
  static const std::vector<Entry> entries = {
      {"Firefox (Cache)", IE, installed, kRuns,
       {EmptyTree(LocalProfile("\\cache2")), EmptyTree(LocalProfile("\\startupCache")),
        EmptyTree(LocalProfile("\\thumbnails"))}},
      {"Firefox (Cookies)", IE, installed, kRuns,
       {KeepingKeptCookies(DatabaseRows(Profile(), "cookies.sqlite", kCookieRows, "Firefox",
                                    "its cookies"))}},
      {"Firefox (Internet History)", IE, installed, kRuns,
       {DatabaseRows(Profile(), "places.sqlite", kHistoryRows, "Firefox", "its history")}},
      {"Firefox (Download History)", IE, installed, kRuns,
       {DatabaseRows(Profile(), "places.sqlite", kDownloadRows, "Firefox", "its download history")}},
      {"Firefox (Session)", IE, installed, kRuns,
       {EmptyTree(Profile("\\sessionstore-backups")),
        Step{.kind = StepKind::kFiles, .folder = Profile(), .patterns = {"sessionstore.jsonlz4"},
             .exactNames = true}}},
      {"Firefox (Saved Form Information)", IE, installed, kRuns,
       {DatabaseRows(Profile(), "formhistory.sqlite", kFormRows, "Firefox", "its form data")}},
  };
  return entries;
}

}  // namespace vb::catalogue::tables
