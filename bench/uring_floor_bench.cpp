// Whether reading a folder's entries through io_uring beats the plain calls.
//
// Lays the removal benchmark's tree (1,000 folders of 100 files, one file in a
// hundred carrying user.DOSATTRIB "0x2") and walks it in several ways, warm,
// interleaved round by round, best of five each:
//   the floor: per entry one fstatat and one getxattrat (as the emulated
//     platform lists a folder);
//   io_uring: a folder's names read first, then per entry an IORING_OP_STATX
//     and, for files and folders, an IORING_OP_GETXATTR, batched, with the
//     variants of ring size, linking, setup flags, IOSQE_ASYNC, the path given
//     to the xattr read, one ring per folder and a cap on the kernel workers;
//   the floor with statx and a smaller mask in place of fstatat.
// Every variant reads the xattr of files and folders (the floor of
// removal_bench reads it of files only), and must find as many files and
// hidden entries as the floor. Prints seconds, CPU seconds of the process
// (the kernel's io_uring workers included), the ratio to the floor and the
// calls per file (one io_uring_enter counts as one).
//
//   uring_floor_bench [--rounds N] [--keep] [TMPDIR]
//   uring_floor_bench --reuse ROOT   (ROOT: the tree an earlier --keep run left)
#include <dirent.h>
#include <fcntl.h>
#include <linux/io_uring.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_tree.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kDosAttrib = "user.DOSATTRIB";
constexpr unsigned kStatxMask = STATX_TYPE | STATX_MODE | STATX_SIZE | STATX_INO;
constexpr int kValueSize = 64;

// What a walk found, and the system calls it made for it.
struct Tally {
  long files = 0, folders = 0, hidden = 0, bytes = 0, calls = 0;
};

// Counts one entry; `length` is the xattr read's result (negative: none).
void Count(Tally& t, mode_t mode, long long size, const char* value, long length) {
  if (S_ISREG(mode)) ++t.files, t.bytes += size;
  if (S_ISDIR(mode)) ++t.folders;
  if (length <= 0 || length >= kValueSize) return;
  std::string text(value, static_cast<std::size_t>(length));
  if (std::strtoul(text.c_str(), nullptr, 16) & 0x2) ++t.hidden;
}

bool IsDots(const char* name) {
  return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
}

// Calls `each(name, d_type)` for the entries of the folder `fd`, but "." and "..".
template <typename Each>
void ForEachName(int fd, Tally& t, Each each) {
  alignas(8) char buffer[32768];
  for (;;) {
    ssize_t n = getdents64(fd, buffer, sizeof buffer);
    ++t.calls;
    if (n <= 0) return;
    for (ssize_t at = 0; at < n;) {
      const auto* d = reinterpret_cast<const dirent64*>(buffer + at);
      at += d->d_reclen;
      if (!IsDots(d->d_name)) each(d->d_name, d->d_type);
    }
  }
}

long GetXattrAt(int folderFd, const char* name, char* value) {
  struct {
    std::uint64_t value;
    std::uint32_t size, flags;
  } args{reinterpret_cast<std::uintptr_t>(value), kValueSize, 0};
  return syscall(464 /* getxattrat */, folderFd, name, AT_SYMLINK_NOFOLLOW, kDosAttrib, &args,
                 sizeof args);
}

int OpenFolder(int folderFd, const char* name, Tally& t) {
  ++t.calls;
  return openat(folderFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// The floor: per entry fstatat (or statx with the smaller mask) and getxattrat.
void PlainWalk(int fd, bool smallStatx, Tally& t) {
  ForEachName(fd, t, [&](const char* name, unsigned char) {
    mode_t mode = 0;
    long long size = 0;
    ++t.calls;
    if (smallStatx) {
      struct statx sx;
      if (statx(fd, name, AT_SYMLINK_NOFOLLOW, STATX_TYPE | STATX_MODE | STATX_SIZE, &sx) != 0)
        return;
      mode = sx.stx_mode, size = static_cast<long long>(sx.stx_size);
    } else {
      struct stat st;
      if (fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return;
      mode = st.st_mode, size = st.st_size;
    }
    if (!S_ISREG(mode) && !S_ISDIR(mode)) return;
    char value[kValueSize];
    ++t.calls;
    Count(t, mode, size, value, GetXattrAt(fd, name, value));
    if (S_ISDIR(mode)) {
      int sub = OpenFolder(fd, name, t);
      if (sub >= 0) PlainWalk(sub, smallStatx, t);
    }
  });
  close(fd);
  ++t.calls;
}

// A ring set up and mapped through the raw interface.
class Ring {
 public:
  bool Open(unsigned entries, unsigned flags, unsigned maxWorkers, Tally& t) {
    io_uring_params p{};
    p.flags = flags;
    fd_ = static_cast<int>(syscall(__NR_io_uring_setup, entries, &p));
    t.calls += 4;  // setup, two mmaps, and at the end close (the munmaps counted then)
    if (fd_ < 0 || !(p.features & IORING_FEAT_SINGLE_MMAP)) return false;
    ringsLength_ = std::max(p.sq_off.array + p.sq_entries * sizeof(unsigned),
                            p.cq_off.cqes + p.cq_entries * sizeof(io_uring_cqe));
    sqesLength_ = p.sq_entries * sizeof(io_uring_sqe);
    rings_ = static_cast<char*>(mmap(nullptr, ringsLength_, PROT_READ | PROT_WRITE,
                                     MAP_SHARED | MAP_POPULATE, fd_, IORING_OFF_SQ_RING));
    void* sqes = mmap(nullptr, sqesLength_, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_POPULATE,
                      fd_, IORING_OFF_SQES);
    if (rings_ == MAP_FAILED || sqes == MAP_FAILED) return false;
    sqes_ = static_cast<io_uring_sqe*>(sqes);
    sqTail_ = reinterpret_cast<unsigned*>(rings_ + p.sq_off.tail);
    sqMask_ = *reinterpret_cast<unsigned*>(rings_ + p.sq_off.ring_mask);
    sqArray_ = reinterpret_cast<unsigned*>(rings_ + p.sq_off.array);
    cqHead_ = reinterpret_cast<unsigned*>(rings_ + p.cq_off.head);
    cqTail_ = reinterpret_cast<unsigned*>(rings_ + p.cq_off.tail);
    cqMask_ = *reinterpret_cast<unsigned*>(rings_ + p.cq_off.ring_mask);
    cqes_ = reinterpret_cast<io_uring_cqe*>(rings_ + p.cq_off.cqes);
    capacity_ = p.sq_entries;  // the completion ring holds twice as many
    if (maxWorkers) {
      unsigned counts[2] = {maxWorkers, 0};
      syscall(__NR_io_uring_register, fd_, IORING_REGISTER_IOWQ_MAX_WORKERS, counts, 2);
      ++t.calls;
    }
    return true;
  }
  void Close(Tally& t) {
    if (sqes_) munmap(sqes_, sqesLength_);
    if (rings_ && rings_ != MAP_FAILED) munmap(rings_, ringsLength_);
    if (fd_ >= 0) close(fd_);
    t.calls += 2;
  }
  unsigned Capacity() const { return capacity_; }
  // A cleared submission entry, queued for the next Run.
  io_uring_sqe* Next() {
    unsigned tail = *sqTail_ + queued_++;
    io_uring_sqe* sqe = &sqes_[tail & sqMask_];
    std::memset(sqe, 0, sizeof *sqe);
    sqArray_[tail & sqMask_] = tail & sqMask_;
    return sqe;
  }
  // Submits the queued entries, waits for all of them and hands each
  // completion to `done`; false if the kernel refused them.
  template <typename Done>
  bool Run(Tally& t, Done done) {
    __atomic_store_n(sqTail_, *sqTail_ + queued_, __ATOMIC_RELEASE);
    long submitted = syscall(__NR_io_uring_enter, fd_, queued_, queued_,
                             IORING_ENTER_GETEVENTS, nullptr, 0);
    ++t.calls;
    if (submitted != static_cast<long>(queued_)) return false;
    unsigned head = *cqHead_;
    for (unsigned reaped = 0; reaped < queued_;) {
      unsigned tail = __atomic_load_n(cqTail_, __ATOMIC_ACQUIRE);
      for (; head != tail; ++head, ++reaped) done(cqes_[head & cqMask_]);
      __atomic_store_n(cqHead_, head, __ATOMIC_RELEASE);
      if (reaped < queued_) {  // woken early: wait for the rest
        syscall(__NR_io_uring_enter, fd_, 0, queued_ - reaped, IORING_ENTER_GETEVENTS, nullptr, 0);
        ++t.calls;
      }
    }
    queued_ = 0;
    return true;
  }

 private:
  int fd_ = -1;
  char* rings_ = nullptr;
  std::size_t ringsLength_ = 0, sqesLength_ = 0;
  io_uring_sqe* sqes_ = nullptr;
  unsigned *sqTail_ = nullptr, *sqArray_ = nullptr, *cqHead_ = nullptr, *cqTail_ = nullptr;
  unsigned sqMask_ = 0, cqMask_ = 0, capacity_ = 0, queued_ = 0;
  io_uring_cqe* cqes_ = nullptr;
};

enum class Batch {
  kTogether,  // a folder's statx and xattr reads submitted together, unlinked
  kLinked,    // each entry's xattr read linked after its statx
  kTwoPhase,  // the statx of the whole folder first, then the xattr reads
};

struct Variant {
  const char* label;
  unsigned ringSize = 256;
  Batch batch = Batch::kTogether;
  unsigned setupFlags = 0;
  bool async = false;         // IOSQE_ASYNC on every entry
  bool hostPath = false;      // the xattr read's path: the host path, not /proc/self/fd/N/NAME
  bool ringPerFolder = false;
  unsigned maxWorkers = 0;    // a cap on the bounded io-wq workers (0: the default)
};

struct Item {
  std::string name, path;
  unsigned char type;
  struct statx sx;
  char value[kValueSize];
  int statResult = -1, xattrResult = -1;
  bool xattrQueued = false;
};

// Walks the folder `fd` (the host path `hostPath`) through `ring`.
bool UringWalk(Ring& ring, int fd, const std::string& hostPath, const Variant& v, Tally& t) {
  std::vector<Item> items;
  ForEachName(fd, t, [&](const char* name, unsigned char type) {
    items.push_back(Item{name, {}, type, {}, {}, -1, -1, false});
  });
  std::string prefix = v.hostPath ? hostPath + "/" : "/proc/self/fd/" + std::to_string(fd) + "/";
  for (Item& item : items) item.path = prefix + item.name;

  Ring own;
  Ring& r = v.ringPerFolder ? own : ring;
  if (v.ringPerFolder && !own.Open(v.ringSize, v.setupFlags, v.maxWorkers, t)) return false;
  const std::uint8_t flags = v.async ? IOSQE_ASYNC : 0;
  auto statx = [&](std::size_t i, std::uint8_t link) {
    io_uring_sqe* sqe = r.Next();
    sqe->opcode = IORING_OP_STATX, sqe->flags = flags | link, sqe->fd = fd;
    sqe->addr = reinterpret_cast<std::uintptr_t>(items[i].name.c_str());
    sqe->len = kStatxMask, sqe->statx_flags = AT_SYMLINK_NOFOLLOW;
    sqe->off = reinterpret_cast<std::uintptr_t>(&items[i].sx);
    sqe->user_data = i * 2;
  };
  // IORING_OP_GETXATTR takes a path, no folder descriptor and no flags, and
  // follows a final link: /proc/self/fd/N/NAME starts it at the open folder,
  // and its result counts only where the statx found no link (below).
  auto getxattr = [&](std::size_t i) {
    io_uring_sqe* sqe = r.Next();
    sqe->opcode = IORING_OP_GETXATTR, sqe->flags = flags;
    sqe->addr = reinterpret_cast<std::uintptr_t>(kDosAttrib);
    sqe->addr2 = reinterpret_cast<std::uintptr_t>(items[i].value);
    sqe->addr3 = reinterpret_cast<std::uintptr_t>(items[i].path.c_str());
    sqe->len = kValueSize;
    sqe->user_data = i * 2 + 1;
    items[i].xattrQueued = true;
  };
  auto done = [&](const io_uring_cqe& cqe) {
    Item& item = items[cqe.user_data / 2];
    (cqe.user_data % 2 ? item.xattrResult : item.statResult) = cqe.res;
  };
  // Queues the entries' reads in batches the ring holds, two slots per entry.
  auto runAll = [&](bool stat, bool xattr) {
    unsigned slots = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
      const Item& item = items[i];
      // Files and folders by the entry type, or by the statx of a first phase.
      bool wanted = xattr && (stat ? item.type == DT_REG || item.type == DT_DIR ||
                                         item.type == DT_UNKNOWN
                                   : item.statResult == 0 && (S_ISREG(item.sx.stx_mode) ||
                                                              S_ISDIR(item.sx.stx_mode)));
      if (slots + 2 > r.Capacity()) {
        if (!r.Run(t, done)) return false;
        slots = 0;
      }
      if (stat) statx(i, wanted && v.batch == Batch::kLinked ? IOSQE_IO_LINK : 0), ++slots;
      if (wanted) getxattr(i), ++slots;
    }
    return slots == 0 || r.Run(t, done);
  };
  bool ok = v.batch == Batch::kTwoPhase ? runAll(true, false) && runAll(false, true)
                                        : runAll(true, true);
  if (v.ringPerFolder) own.Close(t);
  if (!ok) return false;

  std::vector<std::string> subfolders;
  for (Item& item : items) {
    // A read queued by the folder's entry type but meeting something else
    // (a link put in the entry's place) does not count.
    mode_t mode = item.sx.stx_mode;
    if (item.statResult != 0 || (!S_ISREG(mode) && !S_ISDIR(mode))) continue;
    long length = item.xattrQueued ? item.xattrResult : -1;
    Count(t, mode, static_cast<long long>(item.sx.stx_size), item.value, length);
    if (S_ISDIR(mode)) subfolders.push_back(std::move(item.name));
  }
  items.clear();
  for (const std::string& name : subfolders) {
    int sub = OpenFolder(fd, name.c_str(), t);
    if (sub >= 0 && !UringWalk(ring, sub, hostPath + "/" + name, v, t)) return false;
  }
  close(fd);
  ++t.calls;
  return true;
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& tv) { return tv.tv_sec + tv.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Result {
  double seconds = 1e9, cpu = 0;
  Tally tally;
};

}  // namespace

int main(int argc, char** argv) {
  bool keep = false;
  int rounds = 5;
  std::string reuse;
  std::string tmp = std::filesystem::temp_directory_path().string();
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--reuse" && i + 1 < argc) {
      reuse = argv[++i];
    } else if (a == "--rounds" && i + 1 < argc) {
      rounds = std::max(1, std::atoi(argv[++i]));
    } else if (a == "--keep") {
      keep = true;
    } else {
      tmp = a;
    }
  }
  std::string root = reuse;
  if (root.empty()) {
    root = tmp + "/vanbrisk-uring-XXXXXX";
    if (!mkdtemp(root.data())) {
      std::perror("mkdtemp");
      return 1;
    }
    Clock::time_point made = Clock::now();
    long files = bench::MakeTree(root, 100);
    sync();
    std::printf("laid out %ld files in %.1f s in %s\n", files,
                std::chrono::duration<double>(Clock::now() - made).count(), root.c_str());
  }

  const unsigned kDefer = IORING_SETUP_SINGLE_ISSUER | IORING_SETUP_DEFER_TASKRUN;
  const std::vector<Variant> variants = {
      {"floor: fstatat + getxattrat"},
      {"uring 256, together"},
      {"uring 128, together", 128},
      {"uring 256, linked", 256, Batch::kLinked},
      {"uring 256, two phases", 256, Batch::kTwoPhase},
      {"uring 256, together, defer taskrun", 256, Batch::kTogether, kDefer},
      {"uring 256, linked, defer taskrun", 256, Batch::kLinked, kDefer},
      {"uring 256, together, IOSQE_ASYNC", 256, Batch::kTogether, 0, true},
      {"uring 256, together, ring per folder", 256, Batch::kTogether, 0, false, false, true},
      {"uring 256, together, 2 workers", 256, Batch::kTogether, 0, false, false, false, 2},
      {"uring 256, together, host paths", 256, Batch::kTogether, 0, false, true},
      {"uring 256, linked, host paths", 256, Batch::kLinked, 0, false, true},
      {"uring 256, together, host paths, 1 worker", 256, Batch::kTogether, 0, false, true, false, 1},
      {"uring 256, together, host paths, 2 workers", 256, Batch::kTogether, 0, false, true, false, 2},
      {"plain: statx (type, mode, size) + getxattrat"},
  };
  const std::size_t kSmallStatx = variants.size() - 1;

  Tally warm;
  PlainWalk(open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC), false, warm);
  std::vector<Result> results(variants.size());
  bool mismatch = false;
  for (int round = 0; round < rounds; ++round) {
    for (std::size_t i = 0; i < variants.size(); ++i) {
      Tally t;
      int fd = open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      double cpu = CpuSeconds();
      Clock::time_point start = Clock::now();
      bool ok = true;
      if (i == 0 || i == kSmallStatx) {
        PlainWalk(fd, i == kSmallStatx, t);
      } else {
        Ring ring;
        ok = ring.Open(variants[i].ringSize, variants[i].setupFlags, variants[i].maxWorkers, t) &&
             UringWalk(ring, fd, root, variants[i], t);
        ring.Close(t);
      }
      double seconds = std::chrono::duration<double>(Clock::now() - start).count();
      cpu = CpuSeconds() - cpu;
      if (!ok || t.files != warm.files || t.hidden != warm.hidden || t.folders != warm.folders ||
          t.bytes != warm.bytes) {
        std::fprintf(stderr, "ERROR %s: %s, %ld files, %ld hidden, %ld folders (expected %ld, %ld, %ld)\n",
                     variants[i].label, ok ? "walked" : "ring refused", t.files, t.hidden,
                     t.folders, warm.files, warm.hidden, warm.folders);
        mismatch = true;
      }
      if (seconds < results[i].seconds) results[i] = {seconds, cpu, t};
    }
  }
  std::printf("%ld files, %ld hidden, %ld folders; best of %d rounds, warm\n", warm.files,
              warm.hidden, warm.folders, rounds);
  for (std::size_t i = 0; i < variants.size(); ++i) {
    const Result& r = results[i];
    std::printf("%-46s %7.3f s  cpu %6.3f s  ratio %5.2f  %5.3f calls per file\n",
                variants[i].label, r.seconds, r.cpu, r.seconds / results[0].seconds,
                r.tally.files ? static_cast<double>(r.tally.calls) / r.tally.files : 0.0);
  }
  if (!keep && reuse.empty()) {
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
  }
  return mismatch ? 1 : 0;
}
