// File-system semantics the program depends on, the same on every platform:
// listings by wildcard with "." and "..", attributes, hidden and system
// entries, deletion refused for read-only and in-use files, whole-file
// reads and writes, INI values.
#include <algorithm>

#include "conformance/platform_target.h"
#include "platform/ascii_case.h"
#include "platform/entry_lister.h"
#include "platform/file_helpers.h"

namespace vb::conformance {
namespace {

using namespace vb::win;

// Names in alphabetical order without regard to case: the order of a listing
// is the file system's (NTFS sorts, Wine gives the host's order), and the
// program sorts what it lists.
std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end(), platform::LessIgnoringCase);
  return names;
}

std::vector<std::string> Without(std::vector<std::string> names, const std::string& a,
                                 const std::string& b) {
  names.erase(std::remove_if(names.begin(), names.end(),
                             [&](const std::string& n) { return n == a || n == b; }),
              names.end());
  return names;
}

class ConformanceFiles : public PlatformTest {
 protected:
  void Fill() {
    for (const char* name : {"a.txt", "B.TXT", "c.log", "noext", "ZALog1", "ZALog2.dat",
                             "x.txt.bak", "long name with spaces.txt"})
      Write(name, name);
    Folder("sub");
  }
  DWORD Attributes(const std::string& relative) { return files().GetFileAttributesA(At(relative)); }
};

TEST_F(ConformanceFiles, WildcardsMatchLongNamesWithoutRegardToCase) {
  Fill();
  EXPECT_EQ(Sorted(Names(At("*.txt"))),
            (std::vector<std::string>{"a.txt", "B.TXT", "long name with spaces.txt"}));
  EXPECT_EQ(Sorted(Names(At("*.TXT"))), Sorted(Names(At("*.txt"))));
  EXPECT_EQ(Sorted(Names(At("ZALog*.*"))), (std::vector<std::string>{"ZALog1", "ZALog2.dat"}));
  EXPECT_EQ(Sorted(Names(At("?.txt"))), (std::vector<std::string>{"a.txt", "B.TXT"}));
  EXPECT_EQ(Sorted(Names(At("*.bak"))), (std::vector<std::string>{"x.txt.bak"}));
  EXPECT_EQ(Names(At("zalog1")), (std::vector<std::string>{"ZALog1"}));
  // "*." lists the names without an extension (folders too) on Windows;
  // Wine takes it for "*" and lists every name.
  std::vector<std::string> noExtension = {"noext", "sub", "ZALog1"};
  if (OnWine())
    noExtension = {"a.txt", "B.TXT", "c.log", "long name with spaces.txt", "noext", "sub",
                   "x.txt.bak", "ZALog1", "ZALog2.dat"};
  EXPECT_EQ(Sorted(Without(Names(At("*.")), ".", "..")), noExtension);
  // "*.*" and "*" list everything.
  std::vector<std::string> all = {"a.txt", "B.TXT", "c.log", "long name with spaces.txt",
                                  "noext", "sub", "x.txt.bak", "ZALog1", "ZALog2.dat"};
  EXPECT_EQ(Sorted(Without(Names(At("*.*")), ".", "..")), all);
  EXPECT_EQ(Sorted(Without(Names(At("*")), ".", "..")), all);
}

TEST_F(ConformanceFiles, NothingToListIsFileNotFoundAndAMissingFolderPathNotFound) {
  Fill();
  LONG error = 0;
  EXPECT_TRUE(Names(At("*.none"), &error).empty());
  EXPECT_EQ(error, kErrorFileNotFound);
  EXPECT_TRUE(Names(At("missing.txt"), &error).empty());
  EXPECT_EQ(error, kErrorFileNotFound);
  EXPECT_TRUE(Names(At("nofolder\\*.*"), &error).empty());
  EXPECT_EQ(error, kErrorPathNotFound);
  // A folder named without a wildcard is found as itself.
  EXPECT_EQ(Names(At("SUB")), std::vector<std::string>{"sub"});
  // At the end of a listing, FindNextFileA says ERROR_NO_MORE_FILES.
  platform::FindData entry;
  platform::FindHandle handle = -1;
  ASSERT_EQ(files().FindFirstFileA(At("c.log"), &entry, &handle), kErrorSuccess);
  EXPECT_EQ(entry.name, "c.log");
  EXPECT_EQ(entry.size, 5u);
  EXPECT_EQ(files().FindNextFileA(handle, &entry), kErrorNoMoreFiles);
  files().FindClose(handle);
}

TEST_F(ConformanceFiles, DotEntriesComeFirstInAFolderButNotInADriveRoot) {
  Fill();
  std::vector<std::string> names = Names(At("*.*"));
  ASSERT_GE(names.size(), 2u);
  EXPECT_EQ(names[0], ".");
  EXPECT_EQ(names[1], "..");
  EXPECT_EQ(std::count(names.begin(), names.end(), "."), 1);
  platform::FindData entry;
  platform::FindHandle handle = -1;
  ASSERT_EQ(files().FindFirstFileA(At("sub\\*"), &entry, &handle), kErrorSuccess);
  EXPECT_EQ(entry.name, ".");
  EXPECT_TRUE(entry.attributes & kFileAttributeDirectory);
  ASSERT_EQ(files().FindNextFileA(handle, &entry), kErrorSuccess);
  EXPECT_EQ(entry.name, "..");
  EXPECT_TRUE(entry.attributes & kFileAttributeDirectory);
  EXPECT_EQ(files().FindNextFileA(handle, &entry), kErrorNoMoreFiles);
  files().FindClose(handle);

  std::vector<std::string> root = Names("C:\\*.*");
  EXPECT_FALSE(root.empty());
  EXPECT_EQ(std::count(root.begin(), root.end(), "."), 0);
  EXPECT_EQ(std::count(root.begin(), root.end(), ".."), 0);
}

TEST_F(ConformanceFiles, HiddenAndSystemEntriesAreListedWithTheirAttributes) {
  Write("plain.txt", "p");
  Write("hidden.txt", "h");
  Write("system.txt", "s");
  Write("readonly.txt", "r");
  Folder("folder");
  Folder("hiddenfolder");
  ASSERT_EQ(files().SetFileAttributesA(At("hidden.txt"), kFileAttributeHidden), kErrorSuccess);
  ASSERT_EQ(files().SetFileAttributesA(At("system.txt"), kFileAttributeSystem), kErrorSuccess);
  ASSERT_EQ(files().SetFileAttributesA(At("readonly.txt"), kFileAttributeReadonly), kErrorSuccess);
  ASSERT_EQ(files().SetFileAttributesA(At("hiddenfolder"),
                                       kFileAttributeHidden | kFileAttributeDirectory),
            kErrorSuccess);

  platform::FindData entry;
  platform::FindHandle handle = -1;
  ASSERT_EQ(files().FindFirstFileA(At("*"), &entry, &handle), kErrorSuccess);
  std::vector<std::pair<std::string, DWORD>> found;
  do {
    if (entry.name != "." && entry.name != "..") found.emplace_back(entry.name, entry.attributes);
  } while (files().FindNextFileA(handle, &entry) == kErrorSuccess);
  files().FindClose(handle);
  std::sort(found.begin(), found.end());
  constexpr DWORD kShown = kFileAttributeReadonly | kFileAttributeHidden | kFileAttributeSystem |
                           kFileAttributeDirectory;
  std::vector<std::pair<std::string, DWORD>> shown;
  for (auto& [name, attributes] : found) shown.emplace_back(name, attributes & kShown);
  EXPECT_EQ(shown, (std::vector<std::pair<std::string, DWORD>>{
                       {"folder", kFileAttributeDirectory},
                       {"hidden.txt", kFileAttributeHidden},
                       {"hiddenfolder", kFileAttributeDirectory | kFileAttributeHidden},
                       {"plain.txt", 0},
                       {"readonly.txt", kFileAttributeReadonly},
                       {"system.txt", kFileAttributeSystem}}));

  // The program's listings leave hidden and system entries out, and list
  // folders only when asked.
  platform::EntryLister lister(files());
  std::vector<std::string> listed;
  for (std::string n = lister.ListEntries(At("*.*"), platform::kListPlainFiles); !n.empty();
       n = lister.NextEntry())
    listed.push_back(n);
  EXPECT_EQ(Sorted(listed), (std::vector<std::string>{"plain.txt", "readonly.txt"}));
  listed.clear();
  for (std::string n = lister.ListEntries(At(""), platform::kListWithFolders); !n.empty();
       n = lister.NextEntry())
    listed.push_back(n);
  EXPECT_EQ(Sorted(listed),
            (std::vector<std::string>{".", "..", "folder", "plain.txt", "readonly.txt"}));
}

TEST_F(ConformanceFiles, AttributesAreSetAndReadBack) {
  Write("f.txt", "12345");
  Folder("d");
  // A new file carries the archive attribute; a folder the directory one.
  EXPECT_EQ(Attributes("f.txt") & ~kFileAttributeNormal & 0xFF, kFileAttributeArchive);
  EXPECT_EQ(Attributes("d") & (kFileAttributeDirectory | kFileAttributeArchive |
                               kFileAttributeReadonly),
            kFileAttributeDirectory);
  for (DWORD wanted : {kFileAttributeReadonly | kFileAttributeArchive,
                       kFileAttributeHidden | kFileAttributeArchive,
                       kFileAttributeSystem | kFileAttributeArchive,
                       kFileAttributeReadonly | kFileAttributeHidden | kFileAttributeSystem |
                           kFileAttributeArchive,
                       kFileAttributeArchive}) {
    ASSERT_EQ(files().SetFileAttributesA(At("f.txt"), wanted), kErrorSuccess) << wanted;
    EXPECT_EQ(Attributes("F.TXT") & 0xFF, wanted) << wanted;
  }
  ASSERT_EQ(files().SetFileAttributesA(At("f.txt"), kFileAttributeNormal), kErrorSuccess);
  if (OnWindows()) {
    // Windows clears the archive attribute on request.
    EXPECT_EQ(Attributes("f.txt"), kFileAttributeNormal);
  } else {
    // Wine (and the emulation, which keeps attributes as Wine does) always
    // reports a plain file as archive: it has no place to keep that bit.
    EXPECT_EQ(Attributes("f.txt") & 0xFF, kFileAttributeArchive);
  }

  platform::FindData data;
  ASSERT_EQ(files().GetFileAttributesExA(At("f.txt"), &data), kErrorSuccess);
  EXPECT_EQ(data.size, 5u);
  EXPECT_EQ(platform::FileLength(files(), At("f.txt")), 5);
  EXPECT_EQ(platform::FileLength(files(), At("d")), 0);
  EXPECT_EQ(platform::FileLength(files(), At("none")), 0);

  EXPECT_EQ(files().GetFileAttributesA(At("none")), kInvalidFileAttributes);
  EXPECT_EQ(files().GetFileAttributesExA(At("none"), &data), kErrorFileNotFound);
  EXPECT_EQ(files().GetFileAttributesExA(At("nofolder\\none"), &data), kErrorPathNotFound);
  EXPECT_EQ(files().SetFileAttributesA(At("none"), kFileAttributeArchive), kErrorFileNotFound);
}

TEST_F(ConformanceFiles, ReadOnlyFilesAndFoldersRefuseDeletionUntilCleared) {
  Write("ro.txt", "x");
  ASSERT_EQ(files().SetFileAttributesA(At("ro.txt"), kFileAttributeReadonly), kErrorSuccess);
  EXPECT_EQ(files().DeleteFileA(At("ro.txt")), kErrorAccessDenied);
  EXPECT_NE(Attributes("ro.txt"), kInvalidFileAttributes);
  // Writing is refused too, and the content stays. Wine opens the file with
  // the host's open(), whose answer for a read-only file depends on the host
  // user: root may write it, so under Wine either answer is taken, as long as
  // the content agrees with it.
  LONG written = files().WriteFileBytes(At("ro.txt"), "changed");
  if (!OnWine()) {
    EXPECT_EQ(written, kErrorAccessDenied);
  }
  std::string content;
  ASSERT_EQ(files().ReadFileBytes(At("ro.txt"), &content), kErrorSuccess);
  EXPECT_EQ(content, written == kErrorSuccess ? "changed" : "x");
  if (OnWine()) {
    EXPECT_TRUE(written == kErrorSuccess || written == kErrorAccessDenied) << written;
  }
  // The program clears the attributes with 32 before deleting.
  ASSERT_EQ(files().SetFileAttributesA(At("ro.txt"), kFileAttributeArchive), kErrorSuccess);
  EXPECT_EQ(files().DeleteFileA(At("ro.txt")), kErrorSuccess);
  EXPECT_EQ(Attributes("ro.txt"), kInvalidFileAttributes);

  // Hidden and system files are deleted like any other.
  Write("hs.txt", "x");
  ASSERT_EQ(files().SetFileAttributesA(At("hs.txt"), kFileAttributeHidden | kFileAttributeSystem),
            kErrorSuccess);
  EXPECT_EQ(files().DeleteFileA(At("hs.txt")), kErrorSuccess);
}

TEST_F(ConformanceFiles, AFileInUseIsNotDeletedUntilItIsClosed) {
  Write("busy.txt", "busy");
  Write("other.txt", "other");
  ASSERT_TRUE(target().HoldOpen(At("busy.txt")));
  EXPECT_EQ(files().DeleteFileA(At("busy.txt")), kErrorSharingViolation);
  EXPECT_NE(Attributes("busy.txt"), kInvalidFileAttributes);
  // DeleteFiles tries every match and reports the refusal.
  EXPECT_EQ(platform::DeleteFiles(files(), At("*.txt")), kErrorSharingViolation);
  EXPECT_EQ(Attributes("other.txt"), kInvalidFileAttributes);
  EXPECT_NE(Attributes("busy.txt"), kInvalidFileAttributes);
  target().ReleaseFiles();
  EXPECT_EQ(files().DeleteFileA(At("busy.txt")), kErrorSuccess);
  EXPECT_EQ(platform::DeleteFiles(files(), At("*.txt")), kErrorFileNotFound);
}

TEST_F(ConformanceFiles, TheDeletionProbeForetellsDeleteEntryFileAndChangesNothing) {
  Write("plain.txt", "p");
  Write("ro.txt", "r");
  Write("busy.txt", "b");
  Folder("folder");
  ASSERT_EQ(files().SetFileAttributesA(At("ro.txt"), kFileAttributeReadonly), kErrorSuccess);
  ASSERT_TRUE(target().HoldOpen(At("busy.txt")));
  std::vector<std::pair<std::string, LONG>> foretold = {
      {"plain.txt", kErrorSuccess},        {"ro.txt", kErrorSuccess},
      {"busy.txt", kErrorSharingViolation}, {"folder", kErrorAccessDenied},
      {"missing", kErrorFileNotFound}};
  if (target().MakeFolderLink(At("link"), At("folder")))
    foretold.emplace_back("link", kErrorAccessDenied);
  // One handle probed after a full listing of the folder, one without: a
  // realisation may answer from the listing.
  platform::FolderHandle listed = platform::kInvalidFolderHandle;
  platform::FolderHandle unlisted = platform::kInvalidFolderHandle;
  ASSERT_EQ(files().OpenFolder(target().ScratchFolder(), &listed, nullptr), kErrorSuccess);
  ASSERT_EQ(files().OpenFolder(target().ScratchFolder(), &unlisted, nullptr), kErrorSuccess);
  std::vector<platform::FindData> entries;
  ASSERT_EQ(files().ListFolder(listed, platform::ListDetail::kFull, &entries), kErrorSuccess);
  for (const auto& [name, answer] : foretold) {
    EXPECT_EQ(files().ProbeDeleteEntryFile(listed, name), answer) << name;
    EXPECT_EQ(files().ProbeDeleteEntryFile(unlisted, name), answer) << name;
  }
  // The probes changed nothing: the read-only file is still so, and each
  // deletion (read-only cleared first) answers as foretold.
  EXPECT_TRUE(Attributes("ro.txt") & kFileAttributeReadonly);
  ASSERT_EQ(files().SetFileAttributesA(At("ro.txt"), kFileAttributeArchive), kErrorSuccess);
  for (const auto& [name, answer] : foretold)
    EXPECT_EQ(files().DeleteEntryFile(listed, name), answer) << name;
  EXPECT_EQ(files().ProbeDeleteEntryFile(listed, "plain.txt"), kErrorFileNotFound);
  files().CloseFolder(listed);
  files().CloseFolder(unlisted);
}

TEST_F(ConformanceFiles, FoldersAreMadeOneLevelAtATimeAndRemovedOnlyWhenEmpty) {
  EXPECT_EQ(files().CreateDirectoryA(At("one\\two")), kErrorPathNotFound);
  Folder("one");
  EXPECT_EQ(files().CreateDirectoryA(At("ONE")), kErrorAlreadyExists);
  Folder("one\\two");
  Write("one\\f.txt", "f");
  EXPECT_EQ(files().RemoveDirectoryA(At("one")), kErrorDirNotEmpty);
  EXPECT_EQ(files().DeleteFileA(At("one")), kErrorAccessDenied);
  EXPECT_EQ(files().RemoveDirectoryA(At("one\\f.txt")), kErrorDirectory);
  EXPECT_EQ(files().DeleteFileA(At("one\\none.txt")), kErrorFileNotFound);
  EXPECT_EQ(files().DeleteFileA(At("nofolder\\none.txt")), kErrorPathNotFound);
  EXPECT_EQ(files().RemoveDirectoryA(At("one\\two")), kErrorSuccess);
  EXPECT_EQ(files().DeleteFileA(At("one\\F.TXT")), kErrorSuccess);
  EXPECT_EQ(files().RemoveDirectoryA(At("One")), kErrorSuccess);
  EXPECT_EQ(files().RemoveDirectoryA(At("one")), kErrorFileNotFound);
}

TEST_F(ConformanceFiles, WholeFilesAreWrittenAndReadAsBytes) {
  std::string bytes("line one\r\nline two\n\0\xFF\x80 end", 24);
  Write("data.bin", bytes);
  std::string content;
  ASSERT_EQ(files().ReadFileBytes(At("DATA.BIN"), &content), kErrorSuccess);
  EXPECT_EQ(content, bytes);
  // Writing again replaces the whole content.
  Write("data.bin", "short");
  ASSERT_EQ(files().ReadFileBytes(At("data.bin"), &content), kErrorSuccess);
  EXPECT_EQ(content, "short");
  Write("data.bin", "");
  ASSERT_EQ(files().ReadFileBytes(At("data.bin"), &content), kErrorSuccess);
  EXPECT_EQ(content, "");
  // A hidden file is written in place and keeps its attribute.
  Write("hidden.ini", "old");
  ASSERT_EQ(files().SetFileAttributesA(At("hidden.ini"), kFileAttributeHidden), kErrorSuccess);
  Write("hidden.ini", "new");
  ASSERT_EQ(files().ReadFileBytes(At("hidden.ini"), &content), kErrorSuccess);
  EXPECT_EQ(content, "new");
  EXPECT_TRUE(Attributes("hidden.ini") & kFileAttributeHidden);

  EXPECT_EQ(files().ReadFileBytes(At("none"), &content), kErrorFileNotFound);
  EXPECT_EQ(files().ReadFileBytes(At("nofolder\\none"), &content), kErrorPathNotFound);
  EXPECT_EQ(files().WriteFileBytes(At("nofolder\\new.txt"), "x"), kErrorPathNotFound);
  Folder("adir");
  EXPECT_EQ(files().WriteFileBytes(At("adir"), "x"), kErrorAccessDenied);
  EXPECT_EQ(files().ReadFileBytes(At("adir"), &content), kErrorAccessDenied);
}

TEST_F(ConformanceFiles, DeleteFilesTakesEveryPlainMatchOfAPattern) {
  Fill();
  Write("keep.hid", "h");
  Write("take.hid", "t");
  ASSERT_EQ(files().SetFileAttributesA(At("keep.hid"), kFileAttributeHidden), kErrorSuccess);
  EXPECT_EQ(platform::DeleteFiles(files(), At("*.txt")), kErrorSuccess);
  EXPECT_EQ(Sorted(Names(At("*.txt"))), std::vector<std::string>{});
  // Hidden files do not match: the plain one goes, the hidden one stays.
  EXPECT_EQ(platform::DeleteFiles(files(), At("*.hid")), kErrorSuccess);
  EXPECT_EQ(Names(At("*.hid")), std::vector<std::string>{"keep.hid"});
  EXPECT_EQ(platform::DeleteFiles(files(), At("c.log")), kErrorSuccess);
  EXPECT_EQ(platform::DeleteFiles(files(), At("c.log")), kErrorFileNotFound);
  EXPECT_NE(Attributes("sub"), kInvalidFileAttributes);
  EXPECT_EQ(platform::DeleteFiles(files(), At("nofolder\\*.*")), kErrorPathNotFound);
}

TEST_F(ConformanceFiles, ProfileStringsAreReadFromTheirSection) {
  Write("profiles.ini",
        "[General]\r\nStartWithLastProfile=1\r\n\r\n[Profile0]\r\nName=default\r\n"
        "IsRelative = 1 \r\nPath=Profiles/abc.default\r\n[Profile1]\r\nName=second\r\n");
  std::string ini = At("profiles.ini");
  EXPECT_EQ(files().GetPrivateProfileStringA("Profile0", "Path", "", ini), "Profiles/abc.default");
  EXPECT_EQ(files().GetPrivateProfileStringA("profile0", "NAME", "", ini), "default");
  EXPECT_EQ(files().GetPrivateProfileStringA("Profile0", "IsRelative", "", ini), "1");
  EXPECT_EQ(files().GetPrivateProfileStringA("Profile1", "Name", "", ini), "second");
  EXPECT_EQ(files().GetPrivateProfileStringA("Profile1", "Path", "none", ini), "none");
  EXPECT_EQ(files().GetPrivateProfileStringA("Profile9", "Name", "dflt", ini), "dflt");
  EXPECT_EQ(files().GetPrivateProfileStringA("Profile0", "Name", "dflt", At("missing.ini")),
            "dflt");
}

}  // namespace
}  // namespace vb::conformance
