// The settings-file service: small initialisation files <settings folder><stem>.ini with a section
// "Main" (File, Version, Date), read with typed reads that repair missing or out-of-range values
// and tell the user once, on close, how many were repaired. Every value read or written in the run
// is recorded for the diagnostic dump of the error log.
//
// One file is open at a time, from create or open until close.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/dialogs.h"
#include "platform/ini_file.h"

namespace shell {

class SettingsService {
 public:
  using FolderSource = std::function<std::filesystem::path()>;
  using RepairNotice = std::function<void(platform::WindowRef owner, int repairs, int reads)>;

  // `settings_folder` is asked at every open (the locations are decided after construction);
  // `repair_notice` shows the repair message (the shared warning box by default).
  explicit SettingsService(FolderSource settings_folder, RepairNotice repair_notice = {});

  // Empties or creates the file with File = "<title>", Version and Date in "Main".
  bool CreateForWriting(std::string_view stem, std::string_view format_version,
                        std::string_view title);
  // False (and the no-file state) when the file is missing. A missing or empty Version is set.
  bool OpenForReading(std::string_view stem, std::string_view format_version);

  void WriteInteger(std::string_view section, std::string_view key, int64_t value);
  void WriteText(std::string_view section, std::string_view key, std::string_view value);
  void WriteBoolean(std::string_view section, std::string_view key, bool value);

  // A bound of -1 means none. A value outside the bounds gives 0 and is stored as 2 (a repair).
  int64_t ReadInteger(std::string_view section, std::string_view key, int64_t default_value,
                      int64_t lowest, int64_t highest);
  // `missing_expected` on entry: the caller expects the key may be missing (no repair counted);
  // on return: the key was missing and the caller asked to know.
  std::string ReadText(std::string_view section, std::string_view key,
                       std::string_view default_value, bool& missing_expected);
  bool ReadBoolean(std::string_view section, std::string_view key, bool default_value);

  // Shows the repair message when something was repaired, then writes the file and frees it.
  void Close(platform::WindowRef owner);

  // One line per recorded value (stem, blank, key, blank, value in quotes), each preceded by a
  // line break.
  std::string DiagnosticDump() const;

  int repairs() const { return repairs_; }
  int reads() const { return reads_; }

 private:
  void StartFile(std::string_view stem);
  void Record(std::string_view key, std::string value);

  FolderSource settings_folder_;
  RepairNotice repair_notice_;
  std::optional<platform::IniFile> file_;
  std::filesystem::path path_;
  std::string stem_;
  bool stem_known_at_open_ = false;
  int reads_ = 0;
  int repairs_ = 0;
  std::vector<std::string> stems_;
  std::vector<std::pair<std::string, std::string>> entries_;
};

// The process's service, on the settings folder of the data locations.
SettingsService& Settings();

}  // namespace shell
