#include "platform/recording_platform.h"

namespace vb::platform {

RecordingPlatform::RecordingPlatform(Platform& below)
    : below_(below),
      files_(below.Files(), session_),
      registry_(below.Registry(), session_),
      urlCache_(below.UrlCache(), files_, session_),
      shell_(below.Shell(), session_),
      system_(below.System(), session_) {
  session_.listener = &onChange;
}

void RecordingPlatform::Forget() {
  urlCache_.Forget();
  files_.Forget();
  registry_.Forget();
  shell_.Forget();
}

void RecordingPlatform::StartRecording() {
  Forget();
  session_.recording = true;
}

void RecordingPlatform::StopRecording() {
  // The URL cache first: its enumerations end through the services below.
  Forget();
  session_.recording = false;
}

}  // namespace vb::platform
