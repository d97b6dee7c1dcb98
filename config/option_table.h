// The rows of the option catalogue, page by page, and the helpers the rows are written with.
// Only the catalogue reads these; everything else goes through option_catalogue.h.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "config/option_catalogue.h"

namespace config::table {

inline constexpr std::optional<int> kNone = std::nullopt;

constexpr OptionSpec Box(int key, std::string_view control, int initial,
                         std::optional<int> standard, std::string_view caption,
                         std::string_view hint) {
  OptionSpec spec;
  spec.key = key;
  spec.kind = OptionKind::kCheckBox;
  spec.control = control;
  spec.initial = initial;
  spec.standard = standard;
  spec.caption = caption;
  spec.hint = hint;
  return spec;
}

constexpr OptionSpec Counter(int key, std::string_view up_down, std::string_view edit, int digits,
                             int arrow_min, int arrow_max, int clamp_min, int clamp_max,
                             int initial, std::optional<int> standard, std::string_view caption,
                             std::string_view hint) {
  OptionSpec spec = Box(key, up_down, initial, standard, caption, hint);
  spec.kind = OptionKind::kCounter;
  spec.counter = CounterSpec{edit, digits, arrow_min, arrow_max, clamp_min, clamp_max};
  return spec;
}

constexpr OptionSpec List(int key, std::string_view list, int initial, std::string_view caption,
                          std::string_view hint) {
  OptionSpec spec = Box(key, list, initial, kNone, caption, hint);
  spec.kind = OptionKind::kList;
  return spec;
}

constexpr OptionSpec Disabled(OptionSpec spec) {
  spec.initially_enabled = false;
  return spec;
}

// One table of rows and where its options are shown.
struct Block {
  std::string_view page;
  int inner_page = -1;
  std::span<const OptionSpec> rows;
};

std::span<const OptionSpec> GameRuleRows();  // page "Other"
// Every block in table order, the game rules included.
std::span<const Block> Blocks();

}  // namespace config::table
