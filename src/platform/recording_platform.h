// A platform over another one, for an exact preview of what a run would
// change. Passing through (the default), every call goes to the platform
// below. Recording, every read still goes below, but no change does: each
// change (a file deleted or written, a folder removed or made, attributes
// set, a registry key made or deleted, a value set or deleted, a URL-cache
// entry deleted or committed, a Recycle Bin emptied, a program launched) is
// recorded instead, answered as the platform below would have answered it
// had the changes recorded before been made, and seen as made by the reads
// that follow.
//
// The answers are read, not guessed: a read-only file, a file in use, a
// folder or a link refuse deletion; a folder that, seen through the record,
// still holds anything is not removed, nor a key with subkeys; a key is
// opened below with the rights asked for, so what the user may not write is
// refused. What no read can tell (a file taken in use by another program
// after it was listed, an item of a Recycle Bin that would refuse to go) is
// answered as the platform below was last seen.
//
// The environment and the user-interface services always pass through. The
// services of the platform below are taken once, when this one is made; like
// the platforms' callers, it serves one thread at a time.
#pragma once

#include <functional>

#include "platform/platform.h"
#include "platform/recorded_change.h"
#include "platform/recording_files.h"
#include "platform/recording_registry.h"
#include "platform/recording_services.h"
#include "platform/recording_url_cache.h"

namespace vb::platform {

class RecordingPlatform final : public Platform {
 public:
  explicit RecordingPlatform(Platform& below);
  RecordingPlatform(const RecordingPlatform&) = delete;
  RecordingPlatform& operator=(const RecordingPlatform&) = delete;

  RegistryApi& Registry() override { return registry_; }
  FileSystemApi& Files() override { return files_; }
  EnvironmentApi& Environment() override { return below_.Environment(); }
  UrlCacheApi& UrlCache() override { return urlCache_; }
  ShellApi& Shell() override { return shell_; }
  UserInterfaceApi& Ui() override { return below_.Ui(); }
  SystemApi& System() override { return system_; }

  // Begins recording, from an empty record.
  void StartRecording();
  // Forgets the record (handles of keys and folders it made, and of its
  // searches, die with it); calls pass through again.
  void StopRecording();
  bool Recording() const { return session_.recording; }

  // Told of each recorded change, when set; registry changes made between
  // BeginChanges and EndChanges are told when the unit is kept.
  std::function<void(const RecordedChange&)> onChange;

 private:
  void Forget();

  Platform& below_;
  RecordingSession session_;
  RecordingFiles files_;
  RecordingRegistry registry_;
  RecordingUrlCache urlCache_;
  RecordingShell shell_;
  RecordingSystem system_;
};

}  // namespace vb::platform
