#include "config/option_catalogue.h"

#include <algorithm>
#include <array>
#include <vector>

#include "config/option_table.h"
#include "platform/text.h"

namespace config {
namespace {

constexpr PageInfo kPages[] = {
    {"Lines", 3}, {"Other", 4},  {"Inface", 5}, {"DLL", 6},
    {"MMenu", 7}, {"Speed", 10}, {"rel", 11},   {"Fut", 12},
};

constexpr InnerPageInfo kDllInnerPages[] = {
    {kDllModPage, "DLL Mod", "DLL Mod"},
    {kRevDcmPage, "RevDCM", "RevDCM"},
    {kDllDisabledPage, "Disabled", "Отключено"},
    {kWrongGameVersionPage, "WrongGameVersion",
     "Версия вашей игры не подходит (Требуется версия 3.19)"},
};

// clang-format off
constexpr LineItemInfo kLineItems[] = {
    {0, "", "ЛИНЕЙНЫЙ КОРАБЛЬ", "", false},
    {1, "1", "улучшается до Линкора",
     "Линейный корабль при модернизации превращается в линкор.", false},
    {2, "2", "улучшается до Эсминца",
     "Линейный корабль при модернизации превращается в эсминец.", true},
    {3, "", "БРОНЕНОСЕЦ", "", false},
    {4, "3", "улучшается до Линкора",
     "Броненосец при модернизации превращается в линкор.", false},
    {5, "4", "улучшается до Эсминца",
     "Броненосец при модернизации превращается в эсминец.", true},
    {6, "", "КАПЕР", "", false},
    {7, "5", "улучшается до рейдерской ПЛ (необходимо включить в добавлении юнитов)",
     "Капер при модернизации превращается в рейдерскую подводную лодку.", false},
    {8, "6", "улучшается до Эсминца",
     "Капер при модернизации превращается в эсминец.", true},
    {9, "", "ЭСМИНЕЦ", "", false},
    {10, "7", "улучшается до Стэлс-эсминца",
     "Эсминец при модернизации превращается в стэлс-эсминец.", false},
    {11, "8", "улучшается до Большого противолодочного корабля (необходимо включить в добавлении юнитов)",
     "Эсминец при модернизации превращается в большой противолодочный корабль.", false},
    {12, "", "ДЛИННОЛУЧНИК", "", false},
    {13, "92", "улучшается до Мушкетера",
     "Длиннолучник при модернизации превращается в мушкетера.", false},
    {14, "", "Рейдерская Подводная Лодка", "", false},
    {15, "93", "улучшается до Дизельной ПЛ (если отключено, то Рейдерская ПЛ будет доступна на поздних этапах игры)",
     "Рейдерская подводная лодка при модернизации превращается в дизельную подводную лодку.", true},
};
// clang-format on

constexpr FixedLevelInfo kFixedLevels[] = {
    {"CheckBox68", "Вождь", "Уровень сложности Вождь в игре есть всегда.", 115},
    {"CheckBox66", "Дворянин", "Уровень сложности Дворянин в игре есть всегда.", 117},
};

constexpr std::string_view kDllVariants[] = {"Evolution of War (by Tarven Holm)", "RevolutionDCM"};
constexpr std::string_view kCivilizationCounts[] = {"50", "32", "22", "18"};

constexpr ButtonInfo kButtons[] = {
    {kOtherStandardButton, "Other", "Выставить стандартные значения CIV 4 BTS"},
    {kMmenuStandardButton, "MMenu", "Выставить стандартные значения CIV 4 BTS"},
    {kSpeedStandardButton, "Speed", "Выставить стандартные значения CIV 4 BTS"},
    {kLinesStandardButton, "Lines", "Выставить стандартные линии развития CIV 4 BTS"},
    {kDeleteLoadingScreenButton, "MMenu", "Удалить выбранное изображение"},
};

constexpr GridInfo kGrids[] = {
    {"ValueListEditor2", "Settings change model", 3, "Change", "{Standart}"},
    {"ValueListEditor3", "Settings air new unit", 0, "New", "{None}"},
    {"ValueListEditor4", "Settings navy new unit", 1, "New", "{None}"},
    {"ValueListEditor1", "Settings land new unit", 2, "New", "{None}"},
    {"ValueListEditor5", "Settings flags", 4, "Art Flags", "{Standart}"},
};

constexpr int kWriteOrder[] = {
    1,   2,   3,   4,   6,   7,   9,   11,  12,  13,  14,  10,  15,  21,  28,  29,  30,  31,
    32,  33,  34,  35,  36,  37,  38,  39,  40,  41,  84,  94,  42,  43,  44,  45,  46,  47,
    48,  49,  50,  51,  52,  53,  54,  55,  56,  57,  58,  59,  68,  69,  70,  71,  72,  73,
    74,  76,  79,  80,  77,  126, 127, 128, 129, 138, 16,  17,  18,  19,  20,  60,  61,  62,
    63,  64,  65,  22,  23,  24,  25,  26,  148, 149, 150, 151, 81,  174, 140, 141, 142, 143,
    144, 145, 146, 147, 82,  85,  86,  95,  87,  88,  89,  90,  91,  96,  97,  98,  99,  100,
    101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 115, 117, 118, 119, 120,
    121, 122, 123, 124, 125, 130, 131, 132, 133, 134, 135, 136, 137, 139, 152, 153, 154, 155,
    156, 157, 158, 159, 160, 161, 162, 163, 164, 165, 166, 167, 168, 169, 171, 172, 173,
};

constexpr int kReportOrder[] = {
    1,   2,   3,   4,   6,   7,   9,   10,  11,  12,  13,  14,  15,  21,  28,  29,  30,  31,
    32,  33,  34,  35,  36,  37,  38,  39,  40,  41,  84,  94,  42,  43,  44,  45,  46,  47,
    48,  49,  50,  51,  52,  53,  54,  55,  56,  57,  58,  59,  68,  69,  70,  71,  72,  73,
    74,  76,  79,  80,  77,  126, 127, 128, 129, 138, 16,  17,  18,  19,  20,  60,  61,  62,
    63,  64,  65,  22,  23,  24,  25,  26,  81,  174, 140, 141, 142, 143, 144, 145, 146, 147,
    82,  85,  86,  95,  87,  88,  89,  90,  91,  96,  97,  98,  99,  100, 101, 102, 103, 104,
    105, 106, 107, 108, 109, 110, 111, 112, 113, 115, 117, 118, 119, 120, 121, 122, 123, 124,
    125, 130, 131, 132, 133, 134, 135, 136, 137, 139, 148, 149, 150, 151, 152, 153, 154, 155,
    156, 157, 158, 159, 160, 161, 162, 163, 164, 165, 166, 167, 168, 169, 171, 172, 173,
};

// Moves `key` to the place right after `after`.
void MoveAfter(std::vector<int>& order, int key, int after) {
  order.erase(std::find(order.begin(), order.end(), key));
  order.insert(std::find(order.begin(), order.end(), after) + 1, key);
}

}  // namespace

std::span<const OptionInfo> Options() {
  static const std::vector<OptionInfo> options = [] {
    std::vector<OptionInfo> all;
    for (const table::Block& block : table::Blocks()) {
      for (OptionInfo option : block.rows) {
        option.page = block.page;
        option.inner_page = block.inner_page;
        all.push_back(option);
      }
    }
    return all;
  }();
  return options;
}

const OptionInfo* FindOption(int key) {
  for (const OptionInfo& option : Options()) {
    if (option.key == key) return &option;
  }
  return nullptr;
}

const OptionInfo* FindOptionByControl(std::string_view name) {
  for (const OptionInfo& option : Options()) {
    if (platform::EqualsNoCase(option.control, name)) return &option;
    if (option.kind == OptionKind::kCounter && platform::EqualsNoCase(option.counter.edit, name)) {
      return &option;
    }
  }
  return nullptr;
}

std::span<const PageInfo> Pages() { return kPages; }
std::span<const InnerPageInfo> DllInnerPages() { return kDllInnerPages; }
std::span<const LineItemInfo> LineItems() { return kLineItems; }
std::span<const FixedLevelInfo> FixedLevels() { return kFixedLevels; }
std::span<const ButtonInfo> Buttons() { return kButtons; }
std::span<const GridInfo> Grids() { return kGrids; }

std::span<const std::string_view> ListItems(int key) {
  if (key == 59) return kDllVariants;
  if (key == 173) return kCivilizationCounts;
  return {};
}

const GridInfo* FindGrid(std::string_view grid) {
  for (const GridInfo& option : kGrids) {
    if (platform::EqualsNoCase(option.grid, grid)) return &option;
  }
  return nullptr;
}

std::span<const int> WriteOrder() { return kWriteOrder; }

std::span<const int> ReadOrder() {
  static const std::vector<int> order = [] {
    std::vector<int> keys(std::begin(kWriteOrder), std::end(kWriteOrder));
    // Key 4's rule selects the first loading screen when none is selected; reading key 12 after
    // it lets the stored selection win. Checking key 143 checks 144 when none of 144 to 146 is
    // on, and clearing the last of them clears 143, so they are read before it.
    MoveAfter(keys, 12, 4);
    MoveAfter(keys, 143, 146);
    return keys;
  }();
  return order;
}

std::span<const int> ReportOrder() { return kReportOrder; }

}  // namespace config
