// What the removal routines must never do: act through a symbolic link, be
// redirected by a folder swapped for a link while they are inside it, or
// empty a whole drive; and the folder-handle operations they rely on.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/ascii_case.h"
#include "support/removal_fixture.h"
#include "support/small_stack.h"

namespace vb {
namespace {

using namespace vb::win;
using platform::FindData;
using platform::FolderHandle;
namespace fs = std::filesystem;

class RemovalSafetyTest : public test::RemovalFixture {
 protected:
  RemovalSafetyTest() {
    // What must survive: files elsewhere on C: and a folder beside the machine.
    for (const char* name : {"a1.txt", "a2.txt", "a3.txt", "deep/k.txt"})
      Keep(C(std::string("Keep/") + name));
    outside_ = m.folder() + "-outside";
    Keep(outside_ + "/o.txt");
    Dos("Keep/a1.txt", "0x2");
    MakeReadOnly("Keep/a2.txt");
  }
  ~RemovalSafetyTest() override {
    std::error_code ec;
    fs::remove_all(outside_, ec);
  }
  void Keep(const std::string& host) {
    std::string bytes = "keep " + host + std::string(host.size() * 37 % 3000, '#');
    test::WriteHostFile(host, bytes);
    kept_[host] = bytes;
  }
  // Every kept file byte for byte, and the attributes Keep\a1.txt and
  // Keep\a2.txt were given.
  void ExpectKeptUntouched() {
    for (const auto& [host, bytes] : kept_) EXPECT_EQ(test::ReadHostFile(host), bytes) << host;
    EXPECT_EQ(Attributes("Keep\\a1.txt"), kFileAttributeArchive | kFileAttributeHidden);
    EXPECT_EQ(Attributes("Keep\\a2.txt"), kFileAttributeArchive | kFileAttributeReadonly);
  }
  // A tree whose links lead to Keep, to a kept file and out of the machine.
  void LayLinkedTree() {
    Put("Temp/T/f.txt", 3);
    Put("Temp/T/A/a1.txt", 4);
    Link(C("Keep"), "Temp/T/toKeep");
    Link(C("Keep/a1.txt"), "Temp/T/keptFile.txt");
    Link(C("Keep/a2.txt"), "Temp/T/A/a2.txt");
    Link(outside_, "Temp/T/A/out");
    Link(outside_ + "/o.txt", "Temp/T/A/o.txt");
  }
  // Every entry below the machine folder and the folder beside it: files with
  // their bytes, links with their targets, folders.
  std::map<std::string, std::string> Everything() {
    std::map<std::string, std::string> all;
    for (const std::string& top : {m.folder(), outside_}) {
      for (const fs::directory_entry& e : fs::recursive_directory_iterator(top)) {
        if (e.is_symlink())
          all[e.path()] = "link " + fs::read_symlink(e.path()).string();
        else if (e.is_regular_file())
          all[e.path()] = test::ReadHostFile(e.path());
        else
          all[e.path()] = "folder";
      }
    }
    return all;
  }
  // Every routine on the folder, under Analyze and under Run Cleaner.
  void RunEveryRoutine(const std::string& path) {
    ReadOnlyOption(true);
    for (bool analyze : {true, false}) {
      analyzeOnly = analyze;
      ClearD(path);
      ClearD2(path, true);
      ClearDirTree(path);
      ClearFile(path, {"*.*"});
    }
  }

  std::string outside_;
  std::map<std::string, std::string> kept_;
};

TEST_F(RemovalSafetyTest, LinksAreNeitherMeasuredNorFollowedNorRemoved) {
  LayLinkedTree();
  RunEveryRoutine("C:\\Temp\\T");
  for (const std::string& line : Lines(L))
    for (const char* never : {"Keep", "out", "a2.txt"})
      EXPECT_EQ(line.find(never), std::string::npos) << line;
  ExpectKeptUntouched();
  for (const char* link : {"Temp/T/toKeep", "Temp/T/keptFile.txt", "Temp/T/A/a2.txt",
                           "Temp/T/A/out", "Temp/T/A/o.txt"})
    EXPECT_TRUE(IsLink(link)) << link;
  // The real files went, the folder holding links stayed.
  EXPECT_FALSE(Exists("Temp/T/f.txt"));
  EXPECT_FALSE(Exists("Temp/T/A/a1.txt"));
  EXPECT_TRUE(Exists("Temp/T/A"));
  EXPECT_EQ(files().OpenFolderCount(), 0u);
}

TEST_F(RemovalSafetyTest, AFolderSwappedForALinkMidRunDoesNotRedirectTheRun) {
  // The same names as in Keep, so that a run going by path would hit them.
  for (const char* name : {"a1.txt", "a2.txt", "a3.txt"}) Put(std::string("Temp/T/A/") + name, 9);
  Put("Temp/T/A/deep/k.txt", 9);
  Put("Temp/T/B/b.txt", 9);
  bool swapped = false;
  files().SetBeforeDeleteHook([&](const std::string&, const std::string& name) {
    if (swapped || name != "a1.txt") return;
    // The run is inside T\A, which moves away for a link to Keep; B is
    // swapped before the run reaches it.
    fs::rename(C("Temp/T/A"), C("Temp/T/A.moved"));
    symlink(C("Keep").c_str(), C("Temp/T/A").c_str());
    fs::rename(C("Temp/T/B"), C("Temp/T/B.moved"));
    symlink(C("Keep").c_str(), C("Temp/T/B").c_str());
    swapped = true;
  });
  Clean();
  std::string folder = "C:\\Temp\\T";
  ClearD2(folder);
  ASSERT_TRUE(swapped);
  ExpectKeptUntouched();
  // The run finished in the folder it had entered, under its old name, and
  // left both links in place. Back in T it met the folders as they are now:
  // the real ones, which are the moved ones.
  EXPECT_TRUE(fs::is_empty(C("Temp/T/A.moved")));
  EXPECT_FALSE(Exists("Temp/T/B.moved"));
  EXPECT_TRUE(IsLink("Temp/T/A"));
  EXPECT_TRUE(IsLink("Temp/T/B"));
  ASSERT_EQ(L.ListCount(), 5);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(L.List(i).rfind("C:\\Temp\\T\\A\\", 0), 0u) << L.List(i);
  EXPECT_EQ(L.List(4), "C:\\Temp\\T\\B.moved\\b.txt 9 bytes");
}

TEST_F(RemovalSafetyTest, FilesChangedBetweenTheListingAndTheirDeletionAreNotFollowed) {
  // Listed as plain files; just before its deletion each becomes something
  // else: a link to a kept file, a folder holding a file, a file in use; the
  // run goes on past each to the plain file listed last.
  for (const char* name : {"link.txt", "folder.txt", "used.txt", "zplain.txt"})
    Put(std::string("Temp/T/") + name, 5);
  int used = -1;
  files().SetBeforeDeleteHook([&](const std::string&, const std::string& name) {
    if (name == "link.txt") {
      fs::remove(C("Temp/T/link.txt"));
      Link(C("Keep/a3.txt"), "Temp/T/link.txt");
    } else if (name == "folder.txt") {
      fs::remove(C("Temp/T/folder.txt"));
      Put("Temp/T/folder.txt/inside.txt", 6);
    } else if (name == "used.txt") {
      used = open(C("Temp/T/used.txt").c_str(), O_RDONLY | O_CLOEXEC);
      ASSERT_EQ(flock(used, LOCK_EX), 0);
    }
  });
  Clean();
  std::string folder = "C:\\Temp\\T";
  ClearD2(folder);
  close(used);
  ExpectKeptUntouched();
  EXPECT_TRUE(IsLink("Temp/T/link.txt"));
  EXPECT_TRUE(Exists("Temp/T/folder.txt/inside.txt"));
  EXPECT_TRUE(Exists("Temp/T/used.txt"));
  EXPECT_FALSE(Exists("Temp/T/zplain.txt"));
  // Only what is really gone is logged: the folder in the file's place stays.
  EXPECT_EQ(Lines(L), (std::vector<std::string>{"C:\\Temp\\T\\zplain.txt 5 bytes"}));
}

// A drive root, however spelt, is refused with its line and left as it is;
// an empty path names nothing, and a folder spelt from the root of the
// current drive is no root.
TEST_F(RemovalSafetyTest, EmptyFoldersAndDriveRootsAreRefused) {
  Put("root.txt", 5);
  Put("Temp/Below/below.txt", 6);
  Dos("WINDOWS", "0x2");
  for (bool analyze : {true, false}) {
    analyzeOnly = analyze;
    L.Clear();
    RunEveryRoutine("");
    EXPECT_EQ(L.ListCount(), 0);
    for (const char* root : {"C:\\", "\\", "C:", "c:/", "C:\\.", "C:\\WINDOWS\\.."}) {
      L.Clear();
      RunEveryRoutine(root);
      const std::string refusal = std::string("Skipped ") + (root[0] == '\\' ? "\\" : "C:\\") +
                                  ": protected folder";
      for (const std::string& line : Lines(L))
        EXPECT_TRUE(platform::EqualsIgnoringCase(line, refusal)) << root << ": " << line;
      EXPECT_EQ(L.ListCount(), 8) << root;
    }
    EXPECT_TRUE(Exists("root.txt"));
    EXPECT_EQ(Attributes("WINDOWS"), kFileAttributeDirectory | kFileAttributeHidden);
  }
  L.Clear();
  ClearD2("\\Temp\\Below");
  EXPECT_EQ(Lines(L), (std::vector<std::string>{"\\Temp\\Below\\below.txt 6 bytes"}));
  EXPECT_FALSE(Exists("Temp/Below/below.txt"));
}

// A folder replaced by a link to the machine's own folder, or to a drive root
// (by its host path or a relative one), empties nothing: the machine folder
// is no place inside the drives, and a drive root is refused as a drive root
// however it is reached.
TEST_F(RemovalSafetyTest, LinksToTheMachineFolderOrADriveRootEmptyNothing) {
  Put("root.txt", 5);
  Put("Temp/below.txt", 6);
  test::WriteHostFile(m.Host("drive_d/d.txt"), "d");
  fs::create_directories(C("WINDOWS"));
  fs::remove_all(C("WINDOWS/Temp"));
  for (const std::string& target :
       {m.folder(), m.Host("drive_c"), std::string("../.."), m.Host("drive_d")}) {
    SCOPED_TRACE(target);
    fs::remove(C("WINDOWS/Temp"));
    Link(target, "WINDOWS/Temp");
    std::map<std::string, std::string> before = Everything();
    L.Clear();
    RunEveryRoutine("C:\\WINDOWS\\Temp");
    RunEveryRoutine("C:\\WINDOWS\\Temp\\");
    EXPECT_EQ(Everything(), before);
    // Each run says why it left the folder alone.
    EXPECT_EQ(L.ListCount(), 16);
    for (const std::string& line : Lines(L)) EXPECT_EQ(line, "Skipped C:\\WINDOWS\\Temp: a link");
    EXPECT_EQ(files().OpenFolderCount(), 0u);
  }
  platform::FolderHandle h = platform::kInvalidFolderHandle;
  bool root = false;
  ASSERT_EQ(files().OpenFolder("C:\\WINDOWS\\Temp", &h, &root), kErrorSuccess);
  EXPECT_TRUE(root);
  files().CloseFolder(h);
  fs::remove(C("WINDOWS/Temp"));
  Link(m.folder(), "WINDOWS/Temp");
  EXPECT_EQ(files().OpenFolder("C:\\WINDOWS\\Temp", &h, &root), kErrorAccessDenied);
  EXPECT_EQ(files().GetFileAttributesA("C:\\WINDOWS\\Temp\\registry.db"), kInvalidFileAttributes);
  EXPECT_EQ(files().DeleteFileA("C:\\WINDOWS\\Temp\\registry.db"), kErrorAccessDenied);
  ExpectKeptUntouched();
}

TEST_F(RemovalSafetyTest, ATreeDeeperThanTheWalkHoldsIsLeftAloneWithoutExhaustingTheStack) {
  // C:\Temp\Deep\d\d\...: a file and one subfolder on each of 1,800 levels,
  // laid through descriptors (the host path grows near PATH_MAX).
  constexpr int kLevels = 1800;
  Folder("Temp/Deep");
  int fd = open(C("Temp/Deep").c_str(), O_RDONLY | O_DIRECTORY);
  for (int level = 0; level < kLevels && fd >= 0; ++level) {
    close(openat(fd, "f.txt", O_CREAT | O_WRONLY, 0644));
    mkdirat(fd, "d", 0755);
    int next = openat(fd, "d", O_RDONLY | O_DIRECTORY);
    close(fd);
    fd = next;
  }
  ASSERT_GE(fd, 0);
  close(fd);
  std::string deepest = C("Temp/Deep");
  for (int level = 0; level + 1 < kLevels; ++level) deepest += "/d";

  for (bool analyze : {true, false}) {
    analyzeOnly = analyze;
    L.Clear();
    test::OnSmallStack(256 * 1024, [&] {
      std::string folder = "C:\\Temp\\Deep";
      ClearD2(folder);
    });
    // Hundreds of levels are measured or cleaned; the deepest ones are left
    // alone, and every folder opened on the way is closed again.
    EXPECT_GT(L.ListCount(), 250) << analyze;
    EXPECT_LT(L.ListCount(), kLevels) << analyze;
    EXPECT_EQ(L.List(0), "C:\\Temp\\Deep\\f.txt 0 bytes");
    EXPECT_TRUE(fs::exists(deepest + "/f.txt"));
    EXPECT_EQ(files().OpenFolderCount(), 0u);
  }
  EXPECT_FALSE(Exists("Temp/Deep/f.txt"));
  EXPECT_FALSE(Exists("Temp/Deep/d/d/d/f.txt"));
  EXPECT_TRUE(Exists("Temp/Deep/d"));
  ExpectKeptUntouched();
}

TEST_F(RemovalSafetyTest, ATreeOfManyFilesIsDeletedWithFewDescriptorsAllowed) {
  // Twelve levels of 63 files each: the descriptors of deleted files, closed
  // in batches, must not pile up level upon level.
  std::string level = "Temp/Many";
  for (int depth = 0; depth < 12; ++depth, level += "/d")
    for (int i = 0; i < 63; ++i) Put(level + "/f" + std::to_string(i) + ".txt", 1);
  auto held = std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
  rlimit few = saved;
  few.rlim_cur = static_cast<rlim_t>(held + 100);
  ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &few), 0);
  Clean();
  std::string folder = "C:\\Temp\\Many";
  ClearD2(folder);
  setrlimit(RLIMIT_NOFILE, &saved);
  EXPECT_EQ(L.ListCount(), 12 * 63);
  EXPECT_TRUE(fs::is_empty(C("Temp/Many")));
}

// Through an open folder, beyond what the conformance suite checks on both
// platforms (folder links, plain entries, the stamp): links to files, names
// that are paths, a listing read anew, and a closed handle.
TEST_F(RemovalSafetyTest, FolderHandleOperationsNeverActThroughALink) {
  auto& api = m.platform().Files();
  Put("Temp/H/f.txt", 10);
  Put("Temp/H/r.txt", 1);
  MakeReadOnly("Temp/H/r.txt");
  Put("Temp/H/sub/x.txt", 1);
  Link(C("Keep"), "Temp/H/dirLink");
  Link(C("Keep/a3.txt"), "Temp/H/fileLink");
  FolderHandle h = platform::kInvalidFolderHandle;
  ASSERT_EQ(api.OpenFolder("c:\\TEMP\\h", &h, nullptr), kErrorSuccess);
  auto listed = [&] {
    std::vector<FindData> full;
    EXPECT_EQ(api.ListFolder(h, platform::ListDetail::kFull, &full), kErrorSuccess);
    std::map<std::string, FindData> byName;
    for (const FindData& e : full) byName[e.name] = e;
    return byName;
  };
  std::map<std::string, FindData> byName = listed();
  ASSERT_EQ(byName.size(), 5u);
  EXPECT_EQ(byName["r.txt"].attributes, kFileAttributeArchive | kFileAttributeReadonly);
  EXPECT_EQ(byName["dirLink"].attributes, kFileAttributeReparsePoint | kFileAttributeDirectory);
  EXPECT_EQ(byName["fileLink"].attributes, kFileAttributeReparsePoint);

  FolderHandle sub = platform::kInvalidFolderHandle;
  EXPECT_EQ(api.OpenSubfolder(h, "..", &sub), kErrorInvalidName);
  EXPECT_EQ(api.SetEntryAttributes(h, "fileLink", kFileAttributeArchive), kErrorAccessDenied);
  EXPECT_EQ(api.DeleteEntryFile(h, "fileLink"), kErrorAccessDenied);
  EXPECT_EQ(api.DeleteEntryFile(h, "sub/x.txt"), kErrorInvalidName);

  EXPECT_EQ(api.DeleteEntryFile(h, "f.txt"), kErrorSuccess);
  Put("Temp/H/new.txt", 1);
  byName = listed();  // read anew
  EXPECT_EQ(byName.size(), 5u);
  EXPECT_EQ(byName.count("f.txt"), 0u);
  EXPECT_EQ(byName.count("new.txt"), 1u);
  api.CloseFolder(h);
  std::vector<FindData> none;
  EXPECT_EQ(api.ListFolder(h, platform::ListDetail::kTypes, &none), kErrorInvalidHandle);
  EXPECT_EQ(api.OpenFolder("C:\\Temp\\H\\fileLink", &h, nullptr), kErrorPathNotFound);
  ExpectKeptUntouched();
  EXPECT_EQ(files().OpenFolderCount(), 0u);
}

}  // namespace
}  // namespace vb
