// The configuration report: a plain-text picture of the program's settings and of every option
// control, which the error processor puts into each error log entry. Built in memory, never
// written to a file of its own.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "config/option_controls.h"
#include "errors/error_processor.h"

namespace config {

// What the report says besides the controls. Texts are ANSI.
struct ReportInputs {
  std::string xml_version = "Unknown";   // first line of <data>\XML\Civ4_XML_Version.ini
  std::string data_version = "Unknown";  // first line of <data>\DataVersion.ini
  std::string game_version;  // NormalizeGameVersion of the game executable; empty without a game
  bool auto_config = true;
  int info_lang = 0;
  std::string game_folder;
  std::string settings_folder;
  std::string nifskope_path;
};

// The first line of a file, or "Unknown" when the file is missing or its first line is empty.
std::string FirstLineOrUnknown(const std::filesystem::path& file);
// Fills the two version lines from the data folder.
void ReadDataVersions(const std::filesystem::path& data_folder, ReportInputs& inputs);

// The report, lines separated by CR LF, beginning with two line breaks. Booleans are "-1"/"0".
// A failure while it is built ends it quietly: the text built so far is the report.
std::string BuildConfigurationReport(const OptionControls& controls, const ReportInputs& inputs);

// Lets the error processor build a fresh report before each report of the main window. The
// controls must outlive the processor's use of the builder.
void InstallReportBuilder(errors::ErrorProcessor& processor, const OptionControls& controls,
                          std::function<ReportInputs()> inputs);

}  // namespace config
