#include "generation/checks.h"

#include "errors/guard.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "shell/program_settings.h"

namespace generation {
namespace {

using platform::Ansi;

constexpr const char* kAlwaysRequired[] = {
    "CIV4SpecialUnitInfos.xml",
    "CIV4UnitInfos.xml",
    "CIV4UnitArtStyleTypeInfos.xml",
    "CIV4UnitClassInfos.xml",
    "CIV4TechInfos.xml",
    "CIV4ProjectInfo.xml",
    "TECH_Hellicopters.ini",
    "TECH_JetEngines.ini",
    "HellicopterCargo.ini",
    "Hellicopters.ini",
    "Trim.ini",
    "CIV4GameTextInfos_Objects.ini",
    "Other\\CIV4UnitInfos0.ini",
    "Other\\CIV4UnitInfos.ini",
    "Text_XML_Language_Eng.ini",
    "Text_XML_Language.ini",
    "VK_CIV4GameTextInfos_Objects.xml",
    "VK_CIV4GameTextInfos_Objects0.xml",
    "VK_CIV4GameText_Civilopedia_Units.xml",
    "VK_CIV4GameTextInfos_2_Rus.xml",
    "VK_CIV4GameTextInfos_2_Eng.xml",
    "Sea cities\\CIV4BuildingInfos.ini",
    "Sea cities\\CIV4BuildingInfos1.ini",
    "CIV4GameSpeedInfo.xml",
};

constexpr const char* kRevDcmRequired[] = {
    "CIV4ArtDefines_Unit.xml",    "CIV4BuildInfos.xml",         "CIV4BuildingInfos.xml",
    "CIV4CivilizationInfos0.xml", "CIV4CivilizationInfos1.xml", "CIV4FeatureInfos.xml",
    "CIV4TechInfos.xml",          "CIV4UnitClassInfos.xml",     "CIV4VictoryInfo.xml",
    "CIV4UnitInfos.xml",          "GlobalDefinesAlt.ini",       "Check.ini",
};

struct ArtStyle {
  int option;
  const char* code;
};
constexpr ArtStyle kArtStyles[] = {{94, "Rus"},  {96, "Afr"},  {97, "Eur"},  {98, "SAm"},
                                   {99, "MEs"},  {100, "GRo"}, {101, "Asi"}, {102, "MNG"},
                                   {104, "Col"}, {109, "Bar"}};

// A path text appended to a folder ("<data>" + "\Assets\..."): leading separators belong to the
// concatenation. Empty when the text would leave the folder, also through a link: a file the run
// would refuse to read is missing here too.
fs::path Appended(const fs::path& base, std::string_view text) {
  while (!text.empty() && (text.front() == '\\' || text.front() == '/')) text.remove_prefix(1);
  const auto resolved = platform::ResolveInsideRealPath(base, text);
  return resolved ? *resolved : fs::path();
}

bool Exists(const fs::path& base, std::string_view text) {
  // A text of blanks and separators names the folder itself (trailing blanks of a Windows path
  // drop out), and a folder is not a file.
  if (platform::Trim(text).find_first_not_of("\\/") == std::string_view::npos) return false;
  const fs::path path = Appended(base, text);
  return !path.empty() && platform::IsFile(path);
}

// The lines of a list file of the data folder (none when it is missing). Blank lines stay: each
// names the folder the list is read against, which is then missing as a file.
std::vector<std::string> ListLines(const fs::path& file) {
  if (file.empty()) return {};
  const auto bytes = platform::ReadFileBytes(file);
  if (!bytes) return {};
  return platform::SplitLines(*bytes);
}

// One required file: its folder and its path text under it.
struct Required {
  fs::path base;
  std::string text;
};

std::vector<Required> RequiredFiles(const CheckInputs& in) {
  const config::OptionSnapshot& o = in.options;
  const fs::path xml = platform::ResolveCase(in.data_folder / "XML");
  std::vector<Required> files;
  const auto add = [&](const fs::path& base, std::string text) {
    files.push_back({base, std::move(text)});
  };
  // A list file under XML, then each of its lines under the data folder.
  const auto list = [&](const std::string& list_file) {
    add(xml, list_file);
    for (auto& line : ListLines(Appended(xml, list_file))) add(in.data_folder, std::move(line));
  };
  for (const char* file : kAlwaysRequired) add(xml, file);
  if (o.DllComponentOn() && o.EvolutionOfWar()) {
    for (const char* file :
         {"EoW\\Check.ini", "EoW\\GlobalDefinesAlt.ini", "EoW\\CIV4UnitInfos.xml"}) {
      add(xml, file);
    }
    for (auto& line : ListLines(Appended(xml, "EoW\\Check.ini"))) add(in.data_folder, line);
  }
  if (o.DllComponentOn() && o.RevolutionDcm()) {
    for (const char* file : kRevDcmRequired) add(xml, std::string("RevolutionDCM\\") + file);
    const fs::path component =
        platform::ResolveCase(in.data_folder / "DLL Components" / "RevolutionDCM");
    for (auto& line : ListLines(Appended(xml, "RevolutionDCM\\Check.ini"))) add(component, line);
  }
  const auto on = [&o](int key) { return o.Checked(key); };
  if (on(81)) list("Next War\\Check.ini");
  if (on(143)) list("Future Life\\Check.ini");
  if (on(147)) list("Magnetic road\\Check.ini");
  if (on(85)) list("Additional resources\\Check.ini");
  if (on(82)) list("Add Sizes\\Check.ini");
  if (on(87) || on(88) || on(89) || on(90)) list("Early units\\Check.ini");
  if (on(87)) list("Early units\\Forces\\Check.ini");
  if (on(88)) list("Early units\\Ships\\Check.ini");
  if (on(89)) list("Early units\\Pirate ships\\Check.ini");
  if (on(90)) list("Early units\\Medics\\Check.ini");
  for (const auto& style : kArtStyles) {
    if (on(style.option)) list(std::string(style.code) + " ArtStyle\\Check.ini");
  }
  if (on(103)) list("Asi Fleet ArtStyle\\Check.ini");
  if (on(105)) list("City styles\\Check.ini");
  if (on(110)) list("Slow Heals\\Check.ini");
  if (on(86)) list("Additional Civilizations\\Check.ini");
  if (on(111)) list("Religions\\Check.ini");
  if (!in.speeds_standard) list("New speed\\Check.ini");
  if (on(137)) list("New Civics\\Check.ini");
  if (on(152) || on(153) || on(154)) list("Early units\\Others\\Check.ini");
  if (on(156)) add(xml, "Other\\CIV4ImprovementInfos.ini");
  for (int key = 157; key <= 162; ++key) {
    if (on(key)) add(xml, "Other\\CIV4UnitInfos" + std::to_string(key - 156) + ".ini");
  }
  if (on(165) || on(166) || on(167) || on(169)) {
    for (int i = 0; i <= 4; ++i) add(xml, "Other\\CIV4PromotionInfos" + std::to_string(i) + ".ini");
    add(xml, "Other\\CIV4UnitInfos7.ini");
    add(xml, "Other\\CIV4UnitCombatInfos0.ini");
  }
  if (on(168)) add(xml, "Other\\CIV4UnitInfos11.ini");
  if (on(172)) add(xml, "Other\\CIV4UnitInfos12.ini");
  if (on(163)) {
    add(xml, "Other\\CIV4BonusInfos.ini");
    add(xml, "CIV4BonusInfos.xml");
  }
  add(xml, "CIV4ArtDefines_Unit.xml");
  return files;
}

bool HasCyrillic(std::string_view text) {
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 192 || byte == 168 || byte == 184) return true;
  }
  return false;
}

bool Chosen(const config::OptionSnapshot& o, std::string_view grid, std::string_view identifier) {
  const auto value = o.GridValue(grid, identifier);
  return value && *value != "{None}";
}

bool AnyChosen(const config::OptionSnapshot& o, std::string_view grid,
               std::initializer_list<std::string_view> identifiers) {
  for (const auto identifier : identifiers) {
    if (Chosen(o, grid, identifier)) return true;
  }
  return false;
}

bool NothingChosen(const CheckInputs& in) {
  const config::OptionSnapshot& o = in.options;
  if (!in.lines_standard || !in.other_standard || !in.interface_standard || !in.speeds_standard ||
      !in.external_off) {
    return false;
  }
  for (int key : {13, 14, 10, 111, 81, 143, 147}) {
    if (o.Checked(key)) return false;
  }
  if (o.DllComponentOn()) return false;
  const auto& flags = o.Grid("ValueListEditor5");
  for (size_t row = 0; row < flags.size(); ++row) {
    if ((row < 35 || o.Checked(86)) && flags[row].value != "{Standart}") return false;
  }
  for (const auto& row : o.Grid("ValueListEditor2")) {
    if (row.value != "{Standart}") return false;
  }
  for (const char* grid : {"ValueListEditor3", "ValueListEditor4", "ValueListEditor1"}) {
    for (const auto& row : o.Grid(grid)) {
      if (row.value != "{None}") return false;
    }
  }
  return true;
}

// The memo as the checks fill it; the clean mark tells whether a separator goes before a finding.
class Memo {
 public:
  Memo() : lines_{Ansi("Обнаружены ошибки в настройках, исправьте их перед генерацией:"), " "} {}
  void Finding(const std::string& text) {
    if (!clean_) lines_.push_back(" ");
    lines_.push_back(text);
    clean_ = false;
  }
  void Line(const std::string& text) { lines_.push_back(text); }
  bool clean() const { return clean_; }
  std::vector<std::string> lines() && { return std::move(lines_); }

 private:
  std::vector<std::string> lines_;
  bool clean_ = true;
};

}  // namespace

CheckTexts CheckTexts::BuiltIn() {
  return {
      Ansi("Задан не верный путь к папке Civilization 4, зайдите в настройки программы и измените "
           "его."),
      Ansi("Задан не верный путь к папке настроек, зайдите в настройки программы и измените его."),
      Ansi("Отсутствуют файлы конфигурации:"),
      Ansi("Не выбрано ни одного изменения, сгенерированный мод не будет отличаться от "
           "оригинальной игры"),
      Ansi("На вкладке \"Скорости игры\" включены новые скорости, но не отключено такое же "
           "количество сложностей"),
      Ansi("Выбрана возможность улучшать Капер до Рейдерской ПЛ и не добавлена Рейдерской ПЛ (не "
           "критическая ошибка)."),
      Ansi("Выбрана возможность улучшать Эсминец до БПК и не добавлен БПК (не критическая "
           "ошибка)."),
      Ansi("Включены авиационные юниты вертикального взлета и посадки и не включен ни один "
           "носитель для них (не критическая ошибка)."),
      Ansi("Включены морские юниты с возможностью нести авиационные юниты вертикального взлета и "
           "посадки и не включен ни один из них (не критическая ошибка)."),
      Ansi("Включены атомные бомбардировщики и не включен ни один DLL (SDK) компонент. "
           "\r\nАтомные бомбардировщики будут отключены (не критическая ошибка)."),
  };
}

std::vector<std::string> RequiredDataFiles(const CheckInputs& inputs) {
  std::vector<std::string> texts;
  for (const auto& file : RequiredFiles(inputs)) {
    texts.push_back(platform::PathToAnsi(file.base.lexically_relative(inputs.data_folder) /
                                         platform::ToSlashes(file.text)));
  }
  return texts;
}

bool AllListedFilesExist(const fs::path& data_folder, std::string_view list_file) {
  return errors::GuardedOr("03.003-03", false, [&] {
    const fs::path list = Appended(data_folder, list_file);
    if (list.empty() || !platform::IsFile(list)) return false;
    for (const auto& line : ListLines(list)) {
      if (!Exists(data_folder, line)) return false;
    }
    return true;
  });
}

CheckResult CheckWarnings(const CheckInputs& in) {
  CheckResult result;
  Memo memo;
  const CheckTexts& t = in.texts;
  const config::OptionSnapshot& o = in.options;
  errors::Guarded("03.006-01", [&] {
    errors::Guarded("03.001-01", [&] {
      result.game_folder = shell::FindMarkerFolder(in.game_folder, shell::kGameExecutable);
      if (!result.game_folder) memo.Finding(kBullet + t.game_folder_wrong);
    });
    errors::Guarded("03.002-01", [&] {
      result.game_settings_folder =
          shell::FindMarkerFolder(in.game_settings_folder, shell::kGameSettingsFile);
      if (!result.game_settings_folder) memo.Finding(kBullet + t.settings_folder_wrong);
    });
    errors::Guarded("03.004-01", [&] {
      bool header_shown = false;
      for (const auto& file : RequiredFiles(in)) {
        if (Exists(file.base, file.text)) continue;
        if (!header_shown) memo.Finding(kBullet + t.files_missing);
        header_shown = true;
        memo.Line(platform::PathToAnsi(file.base) + "/" + platform::ToSlashes(file.text));
      }
    });
    errors::Guarded("03.005-03", [&] {
      if (NothingChosen(in)) memo.Finding(kBullet + t.nothing_chosen);
    });
    errors::Guarded("03.005-07", [&] {
      int checked = 2;
      for (int key : {115, 117, 118, 119, 120, 121, 122, 123, 124, 125}) checked += o.Checked(key);
      if (checked >= 10) memo.Finding(kBullet + t.speeds);
    });
    result.blocking = !memo.clean();

    errors::Guarded("03.004-02", [&] {
      if (!o.IsRussian() || !o.DllComponentOn() || !o.RevolutionDcm()) return;
      const std::string advice = Ansi(
          " имеются символы кириллицы и выбрано установить \r\ndll-компонент RevolutionDCM. "
          "Рекомендуется отключить данный компонент \r\nили переименовать папку. Иначе "
          "возможны ошибки в работе игры.");
      if (HasCyrillic(in.game_folder)) memo.Finding(kBullet + Ansi("В пути к папке игры") + advice);
      if (HasCyrillic(in.game_settings_folder)) {
        memo.Finding(kBullet + Ansi("В пути к папке настроек") + advice);
      }
    });
    errors::Guarded("03.005-02", [&] {
      if (o.LineItem(7) && !Chosen(o, "ValueListEditor4", "Navy_PrivateerSub")) {
        memo.Finding(kBullet + t.privateer_line);
      }
      if (o.LineItem(11) && !Chosen(o, "ValueListEditor4", "Navy_BPK")) {
        memo.Finding(kBullet + t.destroyer_line);
      }
    });
    errors::Guarded("03.005-01", [&] {
      const bool aircraft =
          AnyChosen(o, "ValueListEditor3",
                    {"AV_AVFL", "AV_Future_AVFL", "AV_ASHellicopter", "AV_GydroPlane"});
      const bool carriers = AnyChosen(o, "ValueListEditor4",
                                      {"Navy_AirSub", "Navy_AntiSub_carrier", "Navy_HeavyCruiser"});
      if (aircraft && !carriers) memo.Finding(kBullet + t.vtol_aircraft);
      if (carriers && !aircraft) memo.Finding(kBullet + t.vtol_carriers);
    });
    errors::Guarded("03.005-06", [&] {
      if (!o.DllComponentOn() &&
          AnyChosen(o, "ValueListEditor3",
                    {"AV_Atom_Bomber", "AV_Atom_Jet_Bomber", "AV_Atom_Stealth_Bomber"})) {
        memo.Finding(kBullet + t.atomic_bombers);
        result.atomic_bombers = true;
      }
    });
    result.warnings_page = !memo.clean();
    const fs::path interface_folder = platform::ResolveCase(in.data_folder / "Interface");
    for (int icon = 0; icon < 7; ++icon) {
      const std::string name = icon == 0 ? "Vornak.ico" : "Vornak" + std::to_string(icon) + ".ico";
      result.icons[static_cast<size_t>(icon)] =
          platform::IsFile(platform::ResolveCase(interface_folder / name));
    }
  });
  result.memo = std::move(memo).lines();
  return result;
}

}  // namespace generation
