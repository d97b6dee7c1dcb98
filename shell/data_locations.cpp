#include "shell/data_locations.h"

#include <fcntl.h>
#include <unistd.h>

#include "errors/guard.h"
#include "platform/file_io.h"
#include "shell/file_operations.h"

namespace shell {

DataLocations::DataLocations(fs::path program_folder, fs::path per_user_folder,
                             fs::path temp_folder)
    : program_folder_(std::move(program_folder)),
      per_user_folder_(std::move(per_user_folder)),
      temp_folder_(std::move(temp_folder)) {}

bool ProgramFolderWritable(const fs::path& program_folder) {
  std::error_code ec;
  const fs::path resource = program_folder / "Resource";
  fs::create_directories(resource, ec);
  const fs::path test = resource / "test.ini";
  const int fd = open(test.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool closed = close(fd) == 0;
  const bool removed = fs::remove(test, ec);
  return closed && removed;
}

void DataLocations::SetUp(const std::function<bool(const fs::path&)>& writable) {
  errors::Guarded("URG.003-02", [&] {
    must_set_files_in_app_data_ = !writable(program_folder_);
    if (must_set_files_in_app_data_) {
      fs::create_directories(per_user_folder_);
      for (const char* counter : {"ECounter.ini", "LCounter.ini", "TCounter.ini"}) {
        const fs::path source = program_folder_ / "Resource" / counter;
        if (platform::IsFile(source)) CopyFileTo(source, per_user_folder_, counter, true);
      }
      const fs::path settings = program_folder_ / "Settings";
      if (platform::IsDirectory(settings)) CopyFolder(settings, per_user_folder_, true);
    }
    use_app_data_ =
        must_set_files_in_app_data_ || platform::IsFile(per_user_folder_ / "UAUSettings.ini");
  });
}

fs::path DataLocations::TempFile(std::string_view name) const {
  return temp_folder_ / ("VKAutoC150" + std::string(name));
}

fs::path DataLocations::DataRootItem(std::string_view name) const {
  return (InPerUserFolder() ? per_user_folder_ : program_folder_) / std::string(name);
}

fs::path DataLocations::SettingsFolder() const {
  return InPerUserFolder() ? per_user_folder_ : program_folder_ / "Settings";
}

fs::path DataLocations::CountersFolder() const {
  return InPerUserFolder() ? per_user_folder_ : program_folder_ / "Resource";
}

std::string DataLocations::LocationLabel() const { return InPerUserFolder() ? "AppData" : ""; }

std::string DataLocations::DiagnosticLines() const {
  const auto flag = [](bool value) { return value ? "\"-1\"" : "\"0\""; };
  return std::string("\r\nMustSetFilesInAppData ") + flag(must_set_files_in_app_data_) +
         "\r\nUseAppData " + flag(use_app_data_);
}

DataLocations& Locations() {
  static DataLocations locations;
  return locations;
}

}  // namespace shell
