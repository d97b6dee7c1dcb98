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

// The memo's findings word for word, in check order, with the separator lines between them.
TEST_F(ChecksTest, FindingsSayExactlyWhatIsWrong) {
  const std::string game_wrong =
      "•   Задан не верный путь к папке Civilization 4, зайдите в настройки программы и измените "
      "его.";
  const std::string settings_wrong =
      "•   Задан не верный путь к папке настроек, зайдите в настройки программы и измените его.";
  const std::string cyrillic_advice =
      " имеются символы кириллицы и выбрано установить \r\ndll-компонент RevolutionDCM. "
      "Рекомендуется отключить данный компонент \r\nили переименовать папку. Иначе возможны "
      "ошибки в работе игры.";
  const std::string cyrillic_game = "•   В пути к папке игры" + cyrillic_advice;
  const std::string cyrillic_settings = "•   В пути к папке настроек" + cyrillic_advice;
  const std::string privateer =
      "•   Выбрана возможность улучшать Капер до Рейдерской ПЛ и не добавлена Рейдерской ПЛ (не "
      "критическая ошибка).";
  const std::string destroyer =
      "•   Выбрана возможность улучшать Эсминец до БПК и не добавлен БПК (не критическая ошибка).";
  const std::string vtol_aircraft =
      "•   Включены авиационные юниты вертикального взлета и посадки и не включен ни один "
      "носитель для них (не критическая ошибка).";
  const std::string vtol_carriers =
      "•   Включены морские юниты с возможностью нести авиационные юниты вертикального взлета и "
      "посадки и не включен ни один из них (не критическая ошибка).";
  const std::string bombers =
      "•   Включены атомные бомбардировщики и не включен ни один DLL (SDK) компонент. "
      "\r\nАтомные бомбардировщики будут отключены (не критическая ошибка).";
  const std::string nothing =
      "•   Не выбрано ни одного изменения, сгенерированный мод не будет отличаться от "
      "оригинальной игры";
  const std::string speeds =
      "•   На вкладке \"Скорости игры\" включены новые скорости, но не отключено такое же "
      "количество сложностей";
  const std::string cyrillic_folder = "\xC8\xE3\xF0\xFB/";  // "Игры" in cp1251
  const auto revdcm = [](OptionSnapshot::Builder b, const char* language) {
    b.Option(58, 1).List("NTCListBox3", 1, {"Evolution of War", "RevolutionDCM"});
    b.Language(language);
    return b;
  };
  const auto options = [](OptionSnapshot::Builder b) {
    return [b](CheckInputs& in) { in.options = b.Build(); };
  };
  struct Case {
    const char* name;
    std::function<void(CheckInputs&)> change;
    std::vector<std::string> findings;  // UTF-8
  } cases[] = {
      {"game folder wrong", [](CheckInputs& in) { in.game_folder = "/nowhere/"; }, {game_wrong}},
      {"settings folder wrong",
       [](CheckInputs& in) { in.game_settings_folder = "/nowhere"; },
       {settings_wrong}},
      {"both folders wrong",
       [](CheckInputs& in) {
         in.game_folder = "/nowhere/";
         in.game_settings_folder = "/nowhere";
       },
       {game_wrong, " ", settings_wrong}},
      {"nothing chosen", options(OptionSnapshot::Builder::InitialState()), {nothing}},
      {"eight levels and speeds", options(OneFlag().Option(124, 1)), {speeds}},
      {"Cyrillic game folder",
       [&](CheckInputs& in) {
         in.options = revdcm(OneFlag(), "Russian").Build();
         in.game_folder += cyrillic_folder;
       },
       {cyrillic_game}},
      {"Cyrillic settings folder",
       [&](CheckInputs& in) {
         in.options = revdcm(OneFlag(), "Russkii").Build();
         in.game_settings_folder += "/\xA8";  // "Ё"
       },
       {cyrillic_settings}},
      {"both Cyrillic",
       [&](CheckInputs& in) {
         in.options = revdcm(OneFlag(), "Russian").Build();
         in.game_folder += cyrillic_folder;
         in.game_settings_folder += "/\xB8";  // "ё"
       },
       {cyrillic_game, " ", cyrillic_settings}},
      {"Cyrillic without RevolutionDCM",
       [&](CheckInputs& in) {
         in.options = OneFlag().Language("Russian").Build();
         in.game_folder += cyrillic_folder;
       },
       {}},
      {"English and Cyrillic",
       [&](CheckInputs& in) {
         in.options = revdcm(OneFlag(), "English").Build();
         in.game_folder += cyrillic_folder;
       },
       {}},
      {"privateer line without the raider submarine",
       options(OneFlag().LineItem(7, true)),
       {privateer}},
      {"destroyer line without the large anti-submarine ship",
       options(OneFlag().LineItem(11, true)),
       {destroyer}},
      {"both lines without their ships",
       options(OneFlag().LineItem(7, true).LineItem(11, true)),
       {privateer, " ", destroyer}},
      {"both lines with their ships",
       options(OneFlag()
                   .LineItem(7, true)
                   .LineItem(11, true)
                   .GridRow("ValueListEditor4", "Navy_PrivateerSub", "Model")
                   .GridRow("ValueListEditor4", "Navy_BPK", "Model")),
       {}},
      {"the raider submarine does not stand for the large anti-submarine ship",
       options(OneFlag().LineItem(7, true).LineItem(11, true).GridRow(
           "ValueListEditor4", "Navy_PrivateerSub", "Model")),
       {destroyer}},
      {"the large anti-submarine ship does not stand for the raider submarine",
       options(OneFlag().LineItem(7, true).LineItem(11, true).GridRow("ValueListEditor4",
                                                                      "Navy_BPK", "Model")),
       {privateer}},
      {"a lines heading or another line does not count",
       options(OneFlag().LineItem(6, true).LineItem(10, true).LineItem(13, true)),
       {}},
      {"VTOL aircraft without a carrier",
       options(OneFlag().GridRow("ValueListEditor3", "AV_GydroPlane", "Model")),
       {vtol_aircraft}},
      {"a VTOL carrier without aircraft",
       options(OneFlag().GridRow("ValueListEditor4", "Navy_AirSub", "Model")),
       {vtol_carriers}},
      {"VTOL aircraft and a carrier",
       options(OneFlag()
                   .GridRow("ValueListEditor3", "AV_ASHellicopter", "Model")
                   .GridRow("ValueListEditor4", "Navy_HeavyCruiser", "Model")),
       {}},
      {"atomic bombers without the DLL",
       options(OneFlag().GridRow("ValueListEditor3", "AV_Atom_Jet_Bomber", "Model")),
       {bombers}},
      {"blocking and warning findings in check order",
       [&](CheckInputs& in) {
         in.options = OneFlag()
                          .Option(123, 1)
                          .LineItem(7, true)
                          .GridRow("ValueListEditor3", "AV_Atom_Stealth_Bomber", "Model")
                          .Build();
         in.game_folder = "/nowhere/";
       },
       {game_wrong, " ", speeds, " ", privateer, " ", bombers}},
  };
  // The RevolutionDCM files, so that only the Cyrillic finding is left in those cases.
  CheckInputs with_revdcm = Inputs(revdcm(OneFlag(), "Russian"));
  for (const std::string& file : RequiredDataFiles(with_revdcm)) {
    if (!fs::exists(root_ / "DATA" / file)) root_.Write("DATA/" + file, "");
  }
  for (const auto& c : cases) {
    CheckInputs inputs = Inputs(OneFlag());
    c.change(inputs);
    const CheckResult result = CheckWarnings(inputs);
    ASSERT_GE(result.memo.size(), 2u) << c.name;
    EXPECT_EQ(platform::Cp1251ToUtf8(result.memo[0]),
              "Обнаружены ошибки в настройках, исправьте их перед генерацией:");
    EXPECT_EQ(result.memo[1], " ");
    std::vector<std::string> findings;
    for (const auto& line : Findings(result)) findings.push_back(platform::Cp1251ToUtf8(line));
    EXPECT_EQ(findings, c.findings) << c.name;
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
