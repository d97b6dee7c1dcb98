#include "config/configuration_report.h"

#include <string_view>
#include <utility>

#include "config/option_catalogue.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace config {
namespace {

std::string Boolean(bool value) { return value ? "-1" : "0"; }

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string ReportValue(const OptionControls& controls, const OptionInfo& option) {
  switch (option.kind) {
    case OptionKind::kCheckBox:
      return Boolean(controls.IsChecked(option.control));
    case OptionKind::kCounter:
      return std::to_string(controls.Position(option.control));
    case OptionKind::kList:
      return std::to_string(controls.ItemIndex(option.control));
  }
  return {};
}

void Build(const OptionControls& controls, const ReportInputs& inputs, std::string& out) {
  // Each line is appended whole, so a failure leaves the lines before it.
  auto line = [&out](std::string_view text) {
    out += "\r\n";
    out += text;
  };
  out = "\r\n";
  line(inputs.xml_version);
  line(inputs.data_version);
  line("Civ.exe.vers " + inputs.game_version);
  line("");
  line(inputs.auto_config ? "AutoConfig On" : "AutoConfig Off");
  line("InfoLang - " + std::to_string(inputs.info_lang));
  line("PatchToGameDir: " + Quoted(inputs.game_folder));
  line("PatchToSettingsDir: " + Quoted(inputs.settings_folder));
  line("NifSkopePatch: " + Quoted(inputs.nifskope_path));
  line("");
  for (const GridInfo& grid : Grids()) {
    line("[" + std::string(grid.section) + "]");
    const int rows = controls.RowCount(grid.grid);
    for (int row = 1; row <= rows; ++row) {
      line(controls.RowKey(grid.grid, row) + "=" + controls.RowValue(grid.grid, row));
    }
  }
  line("[Settings change lines of development]");
  for (const LineItemInfo& item : LineItems()) {
    if (!item.heading()) {
      line(std::string(item.key) + "=" + Boolean(controls.IsItemChecked(kLinesList, item.item)));
    }
  }
  line("[Settings other options]");
  for (int key : ReportOrder()) {
    line(std::to_string(key) + "=" + ReportValue(controls, *FindOption(key)));
  }
  line("[Settings of EXACT]");
}

}  // namespace

std::string FirstLineOrUnknown(const std::filesystem::path& file) {
  const auto bytes = platform::ReadFileBytes(file);
  if (!bytes) return "Unknown";
  const auto lines = platform::SplitLines(*bytes);
  if (lines.empty() || lines.front().empty()) return "Unknown";
  return lines.front();
}

void ReadDataVersions(const std::filesystem::path& data_folder, ReportInputs& inputs) {
  auto first_line = [&](std::string_view relative) {
    const auto path = platform::ResolveInside(data_folder, relative);
    return path ? FirstLineOrUnknown(*path) : std::string("Unknown");
  };
  inputs.xml_version = first_line("XML\\Civ4_XML_Version.ini");
  inputs.data_version = first_line("DataVersion.ini");
}

std::string BuildConfigurationReport(const OptionControls& controls, const ReportInputs& inputs) {
  std::string report;
  try {
    Build(controls, inputs, report);
  } catch (...) {
    // Reporting an error must not raise another one: what was built is the report.
  }
  return report;
}

void InstallReportBuilder(errors::ErrorProcessor& processor, const OptionControls& controls,
                          std::function<ReportInputs()> inputs) {
  processor.set_report_builder([&controls, inputs = std::move(inputs)] {
    ReportInputs values;
    try {
      if (inputs) values = inputs();
    } catch (...) {
    }
    return BuildConfigurationReport(controls, values);
  });
}

}  // namespace config
