// Where the configurator keeps its writable files. Normally inside its own program folder; when
// that folder cannot be written, in a per-user folder under the application-data folder. Decided
// once at start-up and fixed for the run.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace shell {

namespace fs = std::filesystem;

// The program folder can be written: a file can be created in its Resource folder (made when
// missing) and deleted again.
bool ProgramFolderWritable(const fs::path& program_folder);

class DataLocations {
 public:
  DataLocations() = default;
  // `per_user_folder` is <AppData>/Vornak.TQ.
  DataLocations(fs::path program_folder, fs::path per_user_folder, fs::path temp_folder);

  // The start-up decision: the writability test, the copy of counters and settings into the
  // per-user folder when the program folder is read-only, and the choice of folder.
  void SetUp(const std::function<bool(const fs::path&)>& writable = ProgramFolderWritable);

  // Kind 0: a temporary file, "VKAutoC150" + name with no separator.
  fs::path TempFile(std::string_view name) const;
  // Kind 1: a file or folder in the data root.
  fs::path DataRootItem(std::string_view name) const;
  // Kind 2: the folder of the settings-file service.
  fs::path SettingsFolder() const;
  // Kind 3: the folder of the usage counters.
  fs::path CountersFolder() const;
  // Kind 4: "AppData" when the per-user folder is in force, else empty.
  std::string LocationLabel() const;

  // The two diagnostic lines of the error log (each preceded by a line break).
  std::string DiagnosticLines() const;

  const fs::path& program_folder() const { return program_folder_; }
  const fs::path& per_user_folder() const { return per_user_folder_; }
  bool must_set_files_in_app_data() const { return must_set_files_in_app_data_; }
  bool use_app_data() const { return use_app_data_; }

 private:
  bool InPerUserFolder() const { return must_set_files_in_app_data_ || use_app_data_; }

  fs::path program_folder_;
  fs::path per_user_folder_;
  fs::path temp_folder_;
  bool must_set_files_in_app_data_ = false;
  bool use_app_data_ = false;
};

// The process's locations, set up once by the start-up.
DataLocations& Locations();

}  // namespace shell
