// The wineserver of a prefix: whether one runs, and keeping one from starting
// while the program changes the prefix.
//
// Wine's server keeps a folder of its own per prefix, named for the prefix
// folder's device and inode ("server-DEV-INO", in hexadecimal), holding a
// file "lock" that the running server keeps a write lock on (fcntl). Wine
// keeps that folder in /tmp/.wine-UID; Debian's Wine keeps it in a private
// folder of $TMPDIR or /tmp, whose name the prefix's file "wineserver" holds.
// Both places are looked at.
#pragma once

#include <sys/types.h>

#include <memory>
#include <string>
#include <vector>

#include "base/result.h"

namespace vb::prefix {

// The process of the wineserver that serves the prefix; 0 when none does.
pid_t RunningWineServer(const std::string& prefixFolder);

// The message that a change is refused since a server runs.
std::string ServerRunningMessage(const std::string& prefixFolder, pid_t server);
// What a command that only reads says while a server runs.
std::string ServerRunningNote(const std::string& prefixFolder, pid_t server);

// Holds the lock of every server folder the prefix has, so that a wineserver
// started meanwhile finds the lock taken and does not serve the prefix;
// released when destroyed. A prefix whose server never ran has no folder,
// and nothing to hold.
class WineServerHold {
 public:
  // Fails, naming the server's process, while a server holds a lock.
  [[nodiscard]] static Result<std::unique_ptr<WineServerHold>> Take(
      const std::string& prefixFolder);
  ~WineServerHold();
  WineServerHold(const WineServerHold&) = delete;
  WineServerHold& operator=(const WineServerHold&) = delete;

 private:
  WineServerHold() = default;
  std::vector<int> fds_;
};

}  // namespace vb::prefix
