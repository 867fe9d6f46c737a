// Another program writing to a machine's registry.db: it holds the write lock
// from its construction until Commit, and can let a waiting connection of
// the machine go on at the moment that connection finds the database busy.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

#include "platform/emulated/database.h"

namespace vb::test {

class OtherWriter {
 public:
  explicit OtherWriter(const std::string& machineFolder) {
    std::string error;
    EXPECT_TRUE(db_.Open(machineFolder + "/registry.db", false, &error)) << error;
    EXPECT_TRUE(db_.Exec("BEGIN IMMEDIATE"));
  }
  OtherWriter(const OtherWriter&) = delete;
  OtherWriter& operator=(const OtherWriter&) = delete;
  ~OtherWriter() {
    if (machine_) sqlite3_busy_timeout(machine_->handle(), 10000);
    Commit();
  }
  bool Exec(const std::string& sql) { return db_.Exec(sql); }
  void Commit() {
    if (sqlite3_get_autocommit(db_.handle()) == 0) {
      EXPECT_TRUE(db_.Exec("COMMIT"));
    }
  }

  // When the machine's connection next finds the database busy, this writer
  // commits; the machine's call then gives up (retry false) or tries again.
  void CommitWhenBusy(emu::Database& machine, bool retry) {
    retry_ = retry;
    machine_ = &machine;
    sqlite3_busy_handler(machine.handle(), &OtherWriter::OnBusy, this);
  }
  int BusyCalls() const { return busyCalls_; }

 private:
  static int OnBusy(void* self, int) {
    auto* writer = static_cast<OtherWriter*>(self);
    ++writer->busyCalls_;
    writer->Commit();
    return writer->retry_ ? 1 : 0;
  }

  emu::Database db_;
  emu::Database* machine_ = nullptr;
  bool retry_ = false;
  int busyCalls_ = 0;
};

}  // namespace vb::test
