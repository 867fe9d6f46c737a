// The folder handles the removal routines work through, the same on every
// platform: entries named by their bare names inside an open folder (exactly
// as the folder's listing spells them; Windows would take any letter case,
// the emulation takes the listed one), the
// refusals for read-only, in-use and non-empty entries, stamps that tell a
// change, and links that are never followed.
#include <algorithm>
#include <chrono>
#include <thread>

#include "conformance/platform_target.h"
#include "platform/ascii_case.h"

namespace vb::conformance {
namespace {

using namespace vb::win;
using platform::FindData;
using platform::FolderHandle;
using platform::kInvalidFolderHandle;
using platform::ListDetail;

class ConformanceFolders : public PlatformTest {
 protected:
  void TearDown() override {
    for (FolderHandle f : open_) files().CloseFolder(f);
    PlatformTest::TearDown();
  }
  FolderHandle Open(const std::string& path, bool* root = nullptr) {
    FolderHandle f = kInvalidFolderHandle;
    EXPECT_EQ(files().OpenFolder(path, &f, root), kErrorSuccess) << path;
    if (f != kInvalidFolderHandle) open_.push_back(f);
    return f;
  }
  void Close(FolderHandle f) {
    files().CloseFolder(f);
    open_.erase(std::remove(open_.begin(), open_.end(), f), open_.end());
  }
  // name -> attributes (of the bits the program looks at) and size.
  std::vector<std::tuple<std::string, DWORD, std::uint64_t>> List(FolderHandle f,
                                                                  ListDetail detail) {
    std::vector<FindData> entries;
    EXPECT_EQ(files().ListFolder(f, detail, &entries), kErrorSuccess);
    std::vector<std::tuple<std::string, DWORD, std::uint64_t>> out;
    constexpr DWORD kBits = kFileAttributeReadonly | kFileAttributeHidden | kFileAttributeSystem |
                            kFileAttributeDirectory | kFileAttributeReparsePoint;
    for (const FindData& e : entries)
      out.emplace_back(e.name, e.attributes & kBits,
                       detail == ListDetail::kFull ? e.size : std::uint64_t{0});
    std::sort(out.begin(), out.end(), [](const auto& a, const auto& b) {
      return platform::LessIgnoringCase(std::get<0>(a), std::get<0>(b));
    });
    return out;
  }
  std::vector<FolderHandle> open_;
};

TEST_F(ConformanceFolders, AnOpenFolderListsItsEntriesWithoutTheDots) {
  Write("a.txt", "12345");
  Write("Hidden.dat", "h");
  ASSERT_EQ(files().SetFileAttributesA(At("Hidden.dat"), kFileAttributeHidden), kErrorSuccess);
  Folder("sub");
  Write("sub\\inner.txt", "inner");
  bool root = true;
  FolderHandle f = Open(target().ScratchFolder(), &root);
  EXPECT_FALSE(root);
  using Row = std::tuple<std::string, DWORD, std::uint64_t>;
  EXPECT_EQ(List(f, ListDetail::kFull),
            (std::vector<Row>{{"a.txt", 0, 5}, {"Hidden.dat", kFileAttributeHidden, 1},
                              {"sub", kFileAttributeDirectory, 0}}));
  // The lighter listing tells at least the names and which are folders.
  std::vector<Row> types = List(f, ListDetail::kTypes);
  ASSERT_EQ(types.size(), 3u);
  EXPECT_EQ(std::get<0>(types[2]), "sub");
  EXPECT_TRUE(std::get<1>(types[2]) & kFileAttributeDirectory);
  EXPECT_FALSE(std::get<1>(types[0]) & kFileAttributeDirectory);

  FindData info;
  ASSERT_EQ(files().GetEntryInfo(f, "a.txt", &info), kErrorSuccess);
  EXPECT_EQ(info.size, 5u);
  EXPECT_FALSE(info.attributes & kFileAttributeDirectory);
  ASSERT_EQ(files().GetEntryInfo(f, "sub", &info), kErrorSuccess);
  EXPECT_TRUE(info.attributes & kFileAttributeDirectory);
  EXPECT_EQ(files().GetEntryInfo(f, "none", &info), kErrorFileNotFound);
  // Names are bare names of the folder, never paths.
  EXPECT_NE(files().GetEntryInfo(f, "sub\\inner.txt", &info), kErrorSuccess);
  EXPECT_NE(files().GetEntryInfo(f, "..", &info), kErrorSuccess);
  EXPECT_NE(files().GetEntryInfo(f, "*.txt", &info), kErrorSuccess);

  FolderHandle sub = kInvalidFolderHandle;
  ASSERT_EQ(files().OpenSubfolder(f, "sub", &sub), kErrorSuccess);
  open_.push_back(sub);
  EXPECT_EQ(List(sub, ListDetail::kFull), (std::vector<Row>{{"inner.txt", 0, 5}}));
  FolderHandle none = kInvalidFolderHandle;
  EXPECT_EQ(files().OpenSubfolder(f, "a.txt", &none), kErrorDirectory);
  EXPECT_EQ(files().OpenSubfolder(f, "missing", &none), kErrorFileNotFound);
  EXPECT_EQ(none, kInvalidFolderHandle);
}

TEST_F(ConformanceFolders, OpeningFindsFoldersAndDriveRoots) {
  bool root = false;
  Open("C:\\", &root);
  EXPECT_TRUE(root);
  Write("file.txt", "f");
  FolderHandle f = kInvalidFolderHandle;
  EXPECT_EQ(files().OpenFolder(At("missing"), &f, nullptr), kErrorPathNotFound);
  EXPECT_EQ(files().OpenFolder(At("missing\\deeper"), &f, nullptr), kErrorPathNotFound);
  EXPECT_EQ(files().OpenFolder(At("file.txt"), &f, nullptr), kErrorPathNotFound);
  EXPECT_EQ(f, kInvalidFolderHandle);
  // A trailing backslash names the same folder.
  FolderHandle slash = Open(target().ScratchFolder() + "\\");
  std::vector<FindData> entries;
  ASSERT_EQ(files().ListFolder(slash, ListDetail::kFull, &entries), kErrorSuccess);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "file.txt");
}

TEST_F(ConformanceFolders, EntriesAreDeletedAndRefusedAsDeleteFileAndRemoveDirectoryDo) {
  Write("plain.txt", "p");
  Write("ro.txt", "r");
  Write("busy.txt", "b");
  Folder("empty");
  Folder("full");
  Write("full\\f.txt", "f");
  Folder("rofolder");
  ASSERT_EQ(files().SetFileAttributesA(At("ro.txt"), kFileAttributeReadonly), kErrorSuccess);
  ASSERT_EQ(files().SetFileAttributesA(At("rofolder"),
                                       kFileAttributeReadonly | kFileAttributeDirectory),
            kErrorSuccess);
  ASSERT_TRUE(target().HoldOpen(At("busy.txt")));
  FolderHandle f = Open(target().ScratchFolder());

  EXPECT_EQ(files().DeleteEntryFile(f, "plain.txt"), kErrorSuccess);
  EXPECT_EQ(files().GetFileAttributesA(At("plain.txt")), kInvalidFileAttributes);
  EXPECT_EQ(files().DeleteEntryFile(f, "plain.txt"), kErrorFileNotFound);
  EXPECT_EQ(files().DeleteEntryFile(f, "ro.txt"), kErrorAccessDenied);
  EXPECT_EQ(files().DeleteEntryFile(f, "busy.txt"), kErrorSharingViolation);
  EXPECT_EQ(files().DeleteEntryFile(f, "empty"), kErrorAccessDenied);
  EXPECT_NE(files().GetFileAttributesA(At("ro.txt")), kInvalidFileAttributes);
  EXPECT_NE(files().GetFileAttributesA(At("busy.txt")), kInvalidFileAttributes);
  EXPECT_NE(files().GetFileAttributesA(At("empty")), kInvalidFileAttributes);

  // Attributes change through the folder too; then the file goes.
  ASSERT_EQ(files().SetEntryAttributes(f, "ro.txt", kFileAttributeArchive), kErrorSuccess);
  EXPECT_EQ(files().GetFileAttributesA(At("ro.txt")) & kFileAttributeReadonly, 0u);
  EXPECT_EQ(files().DeleteEntryFile(f, "ro.txt"), kErrorSuccess);
  target().ReleaseFiles();
  EXPECT_EQ(files().DeleteEntryFile(f, "busy.txt"), kErrorSuccess);

  EXPECT_EQ(files().RemoveEntryFolder(f, "full"), kErrorDirNotEmpty);
  EXPECT_NE(files().GetFileAttributesA(At("full\\f.txt")), kInvalidFileAttributes);
  if (OnWine()) {
    // Wine keeps no read-only attribute on folders (the folder reports none),
    // so a folder made read-only is removed like any empty one.
    EXPECT_EQ(files().GetFileAttributesA(At("rofolder")) & kFileAttributeReadonly, 0u);
    EXPECT_EQ(files().RemoveEntryFolder(f, "rofolder"), kErrorSuccess);
    Folder("rofolder");
  } else {
    EXPECT_EQ(files().RemoveEntryFolder(f, "rofolder"), kErrorAccessDenied);
    EXPECT_NE(files().GetFileAttributesA(At("rofolder")), kInvalidFileAttributes);
  }
  Write("file.txt", "x");
  EXPECT_EQ(files().RemoveEntryFolder(f, "file.txt"), kErrorDirectory);
  EXPECT_EQ(files().RemoveEntryFolder(f, "empty"), kErrorSuccess);
  EXPECT_EQ(files().GetFileAttributesA(At("empty")), kInvalidFileAttributes);
  EXPECT_EQ(files().RemoveEntryFolder(f, "empty"), kErrorFileNotFound);

  // The open folder's own attributes.
  FolderHandle full = kInvalidFolderHandle;
  ASSERT_EQ(files().OpenSubfolder(f, "full", &full), kErrorSuccess);
  ASSERT_EQ(files().SetFolderAttributes(full, kFileAttributeHidden | kFileAttributeDirectory),
            kErrorSuccess);
  EXPECT_TRUE(files().GetFileAttributesA(At("full")) & kFileAttributeHidden);
  ASSERT_EQ(files().SetFolderAttributes(full, 0), kErrorSuccess);
  EXPECT_FALSE(files().GetFileAttributesA(At("full")) & kFileAttributeHidden);
  files().CloseFolder(full);
  ASSERT_EQ(files().SetEntryAttributes(f, "rofolder", kFileAttributeDirectory), kErrorSuccess);
  EXPECT_EQ(files().RemoveEntryFolder(f, "rofolder"), kErrorSuccess);
}

TEST_F(ConformanceFolders, AStampChangesWhenAnEntryComesOrGoes) {
  Folder("watched");
  Folder("other");
  FolderHandle watched = Open(At("watched"));
  FolderHandle other = Open(At("other"));
  platform::FolderStamp first, same, another;
  ASSERT_EQ(files().GetFolderStamp(watched, &first), kErrorSuccess);
  ASSERT_EQ(files().GetFolderStamp(watched, &same), kErrorSuccess);
  ASSERT_EQ(files().GetFolderStamp(other, &another), kErrorSuccess);
  EXPECT_TRUE(first.SameAs(same));
  EXPECT_FALSE(first.SameAs(another));  // another folder, another identity

  // Once the stamp is settled, any change gives another one.
  platform::FolderStamp settled = first;
  for (int i = 0; i < 100 && !settled.settled; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_EQ(files().GetFolderStamp(watched, &settled), kErrorSuccess);
  }
  ASSERT_TRUE(settled.settled);
  EXPECT_TRUE(settled.SameAs(first));
  Write("watched\\new.txt", "n");
  platform::FolderStamp after;
  ASSERT_EQ(files().GetFolderStamp(watched, &after), kErrorSuccess);
  EXPECT_FALSE(after.SameAs(settled));
  EXPECT_EQ(after.volume, settled.volume);
  EXPECT_EQ(after.file, settled.file);
}

TEST_F(ConformanceFolders, ALinkIsListedAsALinkAndNeverFollowed) {
  Folder("outside");
  Write("outside\\precious.txt", "keep me");
  Folder("tree");
  // Wine 8 makes no links (CreateSymbolicLinkA does nothing), and shows a
  // link of the host as the folder it points at, so the check needs Windows
  // with the right to make links, or the emulated machine.
  if (!target().MakeFolderLink(At("tree\\link"), At("outside")))
    GTEST_SKIP() << "this machine makes no folder links for this user";
  FolderHandle tree = Open(At("tree"));
  std::vector<FindData> entries;
  ASSERT_EQ(files().ListFolder(tree, ListDetail::kFull, &entries), kErrorSuccess);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "link");
  EXPECT_TRUE(entries[0].attributes & kFileAttributeReparsePoint);
  FindData info;
  ASSERT_EQ(files().GetEntryInfo(tree, "link", &info), kErrorSuccess);
  EXPECT_TRUE(info.attributes & kFileAttributeReparsePoint);

  FolderHandle through = kInvalidFolderHandle;
  EXPECT_EQ(files().OpenSubfolder(tree, "link", &through), kErrorAccessDenied);
  EXPECT_EQ(through, kInvalidFolderHandle);
  EXPECT_EQ(files().DeleteEntryFile(tree, "link"), kErrorAccessDenied);
  EXPECT_EQ(files().RemoveEntryFolder(tree, "link"), kErrorAccessDenied);
  EXPECT_EQ(files().SetEntryAttributes(tree, "link", kFileAttributeHidden), kErrorAccessDenied);
  // The link and what it points at are as they were.
  EXPECT_TRUE(files().GetFileAttributesA(At("tree\\link")) & kFileAttributeReparsePoint);
  std::string content;
  ASSERT_EQ(files().ReadFileBytes(At("outside\\precious.txt"), &content), kErrorSuccess);
  EXPECT_EQ(content, "keep me");
  EXPECT_FALSE(files().GetFileAttributesA(At("outside")) & kFileAttributeHidden);
  Close(tree);
  // Cleaning up the scratch folder removes the link, not its target's files.
  EXPECT_EQ(files().RemoveDirectoryA(At("tree\\link")), kErrorSuccess);
  ASSERT_EQ(files().ReadFileBytes(At("outside\\precious.txt"), &content), kErrorSuccess);
}

}  // namespace
}  // namespace vb::conformance
