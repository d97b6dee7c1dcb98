// The rows of the option catalogue, page by page, and the helpers the rows are written with.
// Only the catalogue reads these; everything else goes through option_catalogue.h.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "config/option_catalogue.h"

namespace config::table {

inline constexpr std::optional<int> kNone = std::nullopt;

constexpr OptionInfo Box(int key, std::string_view control, int initial,
                         std::optional<int> standard, std::string_view caption,
                         std::string_view hint) {
  OptionInfo option;
  option.key = key;
  option.kind = OptionKind::kCheckBox;
  option.control = control;
  option.initial = initial;
  option.standard = standard;
  option.caption = caption;
  option.hint = hint;
  return option;
}

constexpr OptionInfo Counter(int key, std::string_view up_down, std::string_view edit, int digits,
                             int arrow_min, int arrow_max, int clamp_min, int clamp_max,
                             int initial, std::optional<int> standard, std::string_view caption,
                             std::string_view hint) {
  OptionInfo option = Box(key, up_down, initial, standard, caption, hint);
  option.kind = OptionKind::kCounter;
  option.counter = CounterInfo{edit, digits, arrow_min, arrow_max, clamp_min, clamp_max};
  return option;
}

constexpr OptionInfo List(int key, std::string_view list, int initial, std::string_view caption,
                          std::string_view hint) {
  OptionInfo option = Box(key, list, initial, kNone, caption, hint);
  option.kind = OptionKind::kList;
  return option;
}

constexpr OptionInfo Disabled(OptionInfo option) {
  option.initially_enabled = false;
  return option;
}

// One table of rows and where its options are shown.
struct Block {
  std::string_view page;
  int inner_page = -1;
  std::span<const OptionInfo> rows;
};

std::span<const OptionInfo> GameRuleRows();  // page "Other"
// Every block in table order, the game rules included.
std::span<const Block> Blocks();

}  // namespace config::table
