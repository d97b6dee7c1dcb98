#include "config/configuration_report.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "errors/guard.h"
#include "platform/file_io.h"
#include "platform/text.h"
#include "tests/config/known_state.h"
#include "tests/config/rules_fixture.h"
#include "tests/support/temp_folder.h"

namespace config_test {
namespace {

using config::BuildConfigurationReport;
using config::ReportInputs;

ReportInputs SampleInputs() {
  ReportInputs inputs;
  inputs.xml_version = "Base 3.19 (invented)";
  inputs.game_version = "3.1.9.0.(128100)";
  inputs.info_lang = 1;
  inputs.game_folder = "C:\\Games\\Beyond the Sword\\";
  inputs.settings_folder = "C:\\Users\\Player\\My Games\\Beyond the Sword\\";
  inputs.nifskope_path = "C:\\Tools\\NifSkope\\NifSkope.exe";
  return inputs;
}

std::vector<std::string> ReportLines(const std::string& report) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = report.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(report.substr(start, end - start));
  }
  lines.push_back(report.substr(start));
  return lines;
}

using ConfigurationReportTest = RulesFixture;

TEST_F(ConfigurationReportTest, ReportOfTheInitialState) {
  const auto expected =
      platform::ReadFileBytes(std::filesystem::path(CONFIG_TEST_DATA) / "initial_report.txt");
  ASSERT_TRUE(expected);
  EXPECT_EQ(BuildConfigurationReport(controls_, SampleInputs()), *expected);
}

TEST_F(ConfigurationReportTest, ReportOfAKnownStateMatchesItsGolden) {
  SetKnownState(controls_);
  ReportInputs inputs = SampleInputs();
  inputs.data_version = "Data 7 (invented)";
  inputs.auto_config = false;
  inputs.info_lang = 2;
  inputs.game_folder = platform::Ansi("C:\\Игры\\Beyond the Sword\\");
  inputs.nifskope_path = "";
  EXPECT_EQ(BuildConfigurationReport(controls_, inputs), GoldenBytes("known_state_report.txt"));
}

TEST_F(ConfigurationReportTest, ValuesAndAMissingGame) {
  Click(1, true);
  Type(33, "7");
  controls_.SetRowValue("ValueListEditor5", 2, "Eagle");
  ReportInputs inputs;
  inputs.auto_config = false;
  const auto lines = ReportLines(BuildConfigurationReport(controls_, inputs));
  ASSERT_GT(lines.size(), 11u);
  EXPECT_EQ(lines[2], "Unknown");
  EXPECT_EQ(lines[4], "Civ.exe.vers ");
  EXPECT_EQ(lines[6], "AutoConfig Off");
  EXPECT_EQ(lines[7], "InfoLang - 0");
  EXPECT_EQ(lines[8], "PatchToGameDir: \"\"");
  auto has = [&](const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  };
  EXPECT_TRUE(has("1=-1"));
  EXPECT_TRUE(has("33=7"));
  EXPECT_TRUE(has("Rome=Eagle"));
  EXPECT_EQ(lines.back(), "[Settings of EXACT]");
}

TEST_F(ConfigurationReportTest, VersionsComeFromTheDataFolder) {
  testing_support::TempFolder data;
  data.Write("xml/Civ4_XML_Version.ini", "Base 3.19\r\nsecond line\r\n");
  ReportInputs inputs;
  config::ReadDataVersions(data.path(), inputs);
  EXPECT_EQ(inputs.xml_version, "Base 3.19");
  EXPECT_EQ(inputs.data_version, "Unknown");
  data.Write("DataVersion.ini", "\r\n1.2\r\n");
  config::ReadDataVersions(data.path(), inputs);
  EXPECT_EQ(inputs.data_version, "Unknown");  // the first line is empty
}

TEST_F(ConfigurationReportTest, FailureEndsTheReportQuietly) {
  controls_.Break("ValueListEditor4");
  const auto lines = ReportLines(BuildConfigurationReport(controls_, SampleInputs()));
  EXPECT_EQ(lines.back(), "[Settings navy new unit]");
  EXPECT_TRUE(errors_.codes.empty());
}

TEST_F(ConfigurationReportTest, ErrorProcessorBuildsAReportBeforeEachMainWindowError) {
  errors::ErrorProcessor& processor = errors::Processor();
  processor.set_configuration_report("");
  config::InstallReportBuilder(processor, controls_, [] { return SampleInputs(); });
  errors::Guarded("UP.001-01", [] { throw std::runtime_error("shared procedure"); });
  EXPECT_EQ(processor.configuration_report(), "");
  Click(6, true);
  errors::Guarded("01.022-01", [] { throw std::runtime_error("main window"); });
  EXPECT_EQ(processor.configuration_report(), BuildConfigurationReport(controls_, SampleInputs()));
  processor.set_report_builder(nullptr);
  processor.set_configuration_report("");
  errors_.codes.clear();
}

}  // namespace
}  // namespace config_test
