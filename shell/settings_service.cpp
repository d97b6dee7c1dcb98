#include "shell/settings_service.h"

#include <algorithm>

#include "errors/guard.h"
#include "platform/clock.h"
#include "platform/file_io.h"
#include "shell/data_locations.h"
#include "shell/message_box.h"

namespace shell {
namespace {

constexpr std::string_view kMain = "Main";

}  // namespace

SettingsService::SettingsService(FolderSource settings_folder, RepairNotice repair_notice)
    : settings_folder_(std::move(settings_folder)), repair_notice_(std::move(repair_notice)) {
  if (!repair_notice_) repair_notice_ = ShowSettingsRepairMessage;
}

void SettingsService::StartFile(std::string_view stem) {
  stem_ = std::string(stem);
  path_ = settings_folder_() / (stem_ + ".ini");
  reads_ = 0;
  repairs_ = 0;
  stem_known_at_open_ = std::find(stems_.begin(), stems_.end(), stem_) != stems_.end();
  if (!stem_known_at_open_) stems_.push_back(stem_);
}

bool SettingsService::CreateForWriting(std::string_view stem, std::string_view format_version,
                                       std::string_view title) {
  return errors::Guarded("URG.003-01", [&] {
    file_.reset();
    StartFile(stem);
    file_.emplace();
    file_->Set(kMain, "File", "<" + std::string(title) + ">");
    file_->Set(kMain, "Version", format_version);
    file_->Set(kMain, "Date", platform::FormatShortDate(platform::Now()));
    // The file exists (empty of anything else) from this moment on, as the Windows call makes it.
    file_->Save(path_);
    return true;
  });
}

bool SettingsService::OpenForReading(std::string_view stem, std::string_view format_version) {
  return errors::Guarded("URG.004-01", [&] {
    file_.reset();
    StartFile(stem);
    if (!platform::IsFile(path_)) return false;
    file_ = platform::IniFile::Load(path_);
    if (file_->GetString(kMain, "Version", "").empty())
      file_->Set(kMain, "Version", format_version);
    return true;
  });
}

void SettingsService::Record(std::string_view key, std::string value) {
  const std::string name = stem_ + " " + std::string(key);
  if (stem_known_at_open_) {
    for (auto& entry : entries_) {
      if (entry.first == name) {
        entry.second = std::move(value);
        return;
      }
    }
  }
  entries_.emplace_back(name, std::move(value));
}

void SettingsService::WriteInteger(std::string_view section, std::string_view key, int64_t value) {
  errors::Guarded("URG.005-01", [&] {
    if (!file_) return;
    file_->SetInt(section, key, value);
    Record(key, std::to_string(value));
  });
}

void SettingsService::WriteText(std::string_view section, std::string_view key,
                                std::string_view value) {
  errors::Guarded("URG.006-01", [&] {
    if (!file_) return;
    file_->Set(section, key, "\"" + std::string(value) + "\"");
    Record(key, std::string(value));
  });
}

void SettingsService::WriteBoolean(std::string_view section, std::string_view key, bool value) {
  errors::Guarded("URG.007-01", [&] {
    if (!file_) return;
    file_->SetBool(section, key, value);
    Record(key, value ? "-1" : "0");
  });
}

int64_t SettingsService::ReadInteger(std::string_view section, std::string_view key,
                                     int64_t default_value, int64_t lowest, int64_t highest) {
  return errors::GuardedOr("URG.008-01", default_value, [&] {
    if (!file_) return default_value;
    int64_t value = file_->GetInt(section, key, default_value);
    ++reads_;
    if (!file_->HasKey(section, key)) {
      file_->SetInt(section, key, default_value);
      ++repairs_;
    }
    if (value < lowest) {
      if (lowest == -1) return value;
      value = 0;
      file_->SetInt(section, key, 2);
      ++repairs_;
    }
    if (value > highest) {
      if (highest == -1) return value;
      value = 0;
      file_->SetInt(section, key, 2);
      ++repairs_;
    }
    Record(key, std::to_string(value));
    return value;
  });
}

std::string SettingsService::ReadText(std::string_view section, std::string_view key,
                                      std::string_view default_value, bool& missing_expected) {
  return errors::GuardedOr("URG.009-01", std::string(default_value), [&] {
    if (!file_) {
      missing_expected = false;
      return std::string(default_value);
    }
    std::string value = file_->GetString(section, key, default_value);
    ++reads_;
    if (file_->HasKey(section, key)) {
      missing_expected = false;
    } else {
      file_->Set(section, key, "\"" + std::string(default_value) + "\"");
      if (!missing_expected) ++repairs_;
    }
    Record(key, value);
    return value;
  });
}

bool SettingsService::ReadBoolean(std::string_view section, std::string_view key,
                                  bool default_value) {
  return errors::GuardedOr("URG.010-01", default_value, [&] {
    if (!file_) return default_value;
    const bool value = file_->GetBool(section, key, default_value);
    ++reads_;
    Record(key, value ? "-1" : "0");
    return value;
  });
}

void SettingsService::Close(platform::WindowRef owner) {
  errors::Guarded("URG.011-01", [&] {
    if (!file_) return;
    if (repairs_ > 0) {
      file_->Set(kMain, "Date", platform::FormatShortDate(platform::Now()));
      repair_notice_(owner, repairs_, reads_);
    }
    // Free the file even when the write fails; the failure is reported by the guard.
    const platform::IniFile file = std::move(*file_);
    file_.reset();
    file.Save(path_);
  });
}

std::string SettingsService::DiagnosticDump() const {
  std::string dump;
  for (const auto& [name, value] : entries_) dump += "\r\n" + name + " \"" + value + "\"";
  return dump;
}

SettingsService& Settings() {
  static SettingsService service([] { return Locations().SettingsFolder(); });
  return service;
}

}  // namespace shell
