#include "generation/checks.h"

#include <gtest/gtest.h>

#include "platform/text.h"
#include "tests/support/temp_folder.h"

namespace generation {
namespace {

using config::OptionSnapshot;
namespace fs = std::filesystem;

class ChecksTest : public ::testing::Test {
 protected:
  ChecksTest() {
    root_.Write("Game/Civ4BeyondSword.exe", "MZ");
    root_.Write("My Games/CivilizationIV.ini", "");
    fs::copy(VORNAK_SAMPLE_DATA, root_ / "DATA", fs::copy_options::recursive);
  }
  CheckInputs Inputs(OptionSnapshot::Builder builder) const {
    CheckInputs inputs;
    inputs.options = builder.Build();
    inputs.data_folder = root_ / "DATA";
    inputs.game_folder = (root_ / "Game").string() + "/";
    inputs.game_settings_folder = (root_ / "My Games").string();
    return inputs;
  }
  static OptionSnapshot::Builder OneFlag() {
    auto builder = OptionSnapshot::Builder::InitialState();
    builder.GridRow("ValueListEditor5", "RUSSIA", "Imperial");
    return builder;
  }
  static std::vector<std::string> Findings(const CheckResult& result) {
    return {result.memo.begin() + 2, result.memo.end()};
  }
  testing_support::TempFolder root_;
};

TEST_F(ChecksTest, AGoodConfigurationHasNoFindings) {
  const CheckResult result = CheckWarnings(Inputs(OneFlag()));
  EXPECT_TRUE(Findings(result).empty());
  EXPECT_FALSE(result.blocking);
  EXPECT_FALSE(result.warnings_page);
  for (bool icon : result.icons) EXPECT_TRUE(icon);
}

TEST_F(ChecksTest, FindingsBlockOrWarn) {
  struct Case {
    const char* name;
    std::function<void(CheckInputs&)> change;
    int findings;  // -1: not counted
    bool blocking;
  } cases[] = {
      {"nothing chosen",
       [](CheckInputs& in) { in.options = OptionSnapshot::Builder::InitialState().Build(); }, 1,
       true},
      {"both folders wrong",
       [](CheckInputs& in) {
         in.game_folder = "/nowhere/";
         in.game_settings_folder = "/nowhere";
       },
       3, true},  // two findings and their separator
      {"a VTOL aircraft without a carrier",
       [](CheckInputs& in) {
         auto b = OneFlag();
         b.GridRow("ValueListEditor3", "AV_AVFL", "Model");
         in.options = b.Build();
       },
       1, false},
      {"seven levels and speeds", [](CheckInputs&) {}, 0, false},  // the initial state keeps seven
      {"eight levels and speeds",
       [](CheckInputs& in) {
         auto b = OneFlag();
         b.Option(123, 1);
         in.options = b.Build();
       },
       1, true},
      {"English, Cyrillic path and RevolutionDCM",
       [](CheckInputs& in) {
         auto b = OneFlag();
         b.Option(58, 1).List("NTCListBox3", 1, {"Evolution of War", "RevolutionDCM"});
         b.Language("English");
         in.options = b.Build();
         in.game_folder += "\xC8\xE3\xF0\xFB/";
       },
       -1, true},  // only the RevolutionDCM files are missing
  };
  for (const auto& c : cases) {
    CheckInputs inputs = Inputs(OneFlag());
    c.change(inputs);
    const CheckResult result = CheckWarnings(inputs);
    const auto findings = Findings(result);
    if (c.findings >= 0) {
      EXPECT_EQ(findings.size(), static_cast<size_t>(c.findings)) << c.name;
    }
    EXPECT_EQ(result.blocking, c.blocking) << c.name;
    for (const auto& line : findings) {
      EXPECT_EQ(line.find("\xEA\xE8\xF0\xE8\xEB\xEB"), std::string::npos) << c.name;  // "кирилл"
    }
  }
}

TEST_F(ChecksTest, MissingFilesFollowOneHeader) {
  for (const char* file : {"XML/Trim.ini", "XML/Hellicopters.ini", "XML/CIV4ArtDefines_Unit.xml"}) {
    fs::remove(root_ / "DATA" / file);
  }
  const auto findings = Findings(CheckWarnings(Inputs(OneFlag())));
  ASSERT_EQ(findings.size(), 4u);
  EXPECT_EQ(platform::Cp1251ToUtf8(findings[0]), "•   Отсутствуют файлы конфигурации:");
  EXPECT_TRUE(findings[1].ends_with("/XML/Hellicopters.ini"));
  EXPECT_TRUE(findings[2].ends_with("/XML/Trim.ini"));
  EXPECT_TRUE(findings[3].ends_with("/XML/CIV4ArtDefines_Unit.xml"));  // always the last check
}

// A blank line of a list names the data folder itself, which is no file: it is missing, in the
// memo and in the silent check of the external components alike.
TEST_F(ChecksTest, ABlankLineOfAListIsAMissingFile) {
  root_.Write("DATA/XML/Next War/Check.ini",
              "XML\\Trim.ini\r\n\r\n   \r\nXML\\Hellicopters.ini\r\n");
  auto builder = OneFlag();
  builder.Option(81, 1);
  const auto findings = Findings(CheckWarnings(Inputs(builder)));
  ASSERT_EQ(findings.size(), 3u);
  EXPECT_EQ(platform::Cp1251ToUtf8(findings[0]), "•   Отсутствуют файлы конфигурации:");
  EXPECT_TRUE(findings[1].ends_with("/DATA/")) << findings[1];
  EXPECT_TRUE(findings[2].ends_with("/DATA/   ")) << findings[2];

  root_.Write("DATA/EXACT/Pack/Check.ini", "XML\\Trim.ini\r\n\r\n");
  EXPECT_FALSE(AllListedFilesExist(root_ / "DATA", "\\EXACT\\Pack\\Check.ini"));
  root_.Write("DATA/EXACT/Pack/Check.ini", "XML\\Trim.ini\r\n");
  EXPECT_TRUE(AllListedFilesExist(root_ / "DATA", "\\EXACT\\Pack\\Check.ini"));
}

TEST_F(ChecksTest, AtomicBombersWithoutTheDllOnlyWarnAndAreMarked) {
  auto builder = OneFlag();
  builder.GridRow("ValueListEditor3", "AV_Atom_Bomber", "Model");
  const CheckResult result = CheckWarnings(Inputs(builder));
  EXPECT_TRUE(result.atomic_bombers);
  EXPECT_FALSE(result.blocking);
  EXPECT_TRUE(result.warnings_page);
}

}  // namespace
}  // namespace generation
