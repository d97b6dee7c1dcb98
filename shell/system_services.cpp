#include "shell/system_services.h"

#include "errors/guard.h"
#include "platform/file_version.h"
#include "platform/folders.h"
#include "platform/registry_store.h"

namespace shell {

bool CheckSystem(std::string_view marker, const platform::OsVersion& system) {
  return errors::Guarded("UP.002-01", [&] {
    int major = 0;
    int minor = 0;
    if (marker == "vista") {
      major = 6;
    } else if (marker == "2k") {
      major = 5;
    } else if (marker == "xp") {
      major = 5;
      minor = 1;
    } else if (marker == "98") {
      major = 4;
      minor = 10;
    }
    return system.major > major || (system.major == major && system.minor >= minor);
  });
}

bool CheckSystem(std::string_view marker) {
  return CheckSystem(marker, platform::CompatibleSystemVersion());
}

std::filesystem::path SpecialFolderPath(int code) {
  return errors::Guarded("UP.006-01", [&] {
    const platform::RegistryStore store(platform::RegistryStore::DefaultLocation());
    return platform::SpecialFolder(code, store.Read());
  });
}

std::string FileVersion(const std::filesystem::path& file) {
  return platform::FileVersionText(file);
}

}  // namespace shell
