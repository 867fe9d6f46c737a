// The operating system as the program sees it: one object per machine.
#pragma once

#include "platform/environment_api.h"
#include "platform/file_system_api.h"
#include "platform/registry_api.h"
#include "platform/shell_api.h"
#include "platform/system_api.h"
#include "platform/url_cache_api.h"
#include "platform/user_interface_api.h"

namespace vb::platform {

class Platform {
 public:
  virtual ~Platform() = default;

  virtual RegistryApi& Registry() = 0;
  virtual FileSystemApi& Files() = 0;
  virtual EnvironmentApi& Environment() = 0;
  virtual UrlCacheApi& UrlCache() = 0;
  virtual ShellApi& Shell() = 0;
  virtual UserInterfaceApi& Ui() = 0;
  virtual SystemApi& System() = 0;
};

}  // namespace vb::platform
