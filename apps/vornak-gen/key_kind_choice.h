// Which key kind `vornak-gen patch` applies a patch file with when --key-kind is not given.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "xmlengine/key_index.h"

namespace vornak_gen {

struct KeyKindChoice {
  std::optional<xmlengine::KeyKind> kind;  // nullopt: no kind can be told, --key-kind is needed
  std::string reason;                      // why this kind, or why none (UTF-8)
};

// An EXACT component applies a patch file whose name (without extension) ends in 0 to 4 with that
// key kind, so such a name decides. Otherwise the tag that opens the entries' key lines does:
// <Class> 0, <Type> 1, <BuildingClass> 2, <ScriptID> 3, <Tag> 4 (ASCII case ignored); key lines
// of different tags, of another tag or of none give no kind.
KeyKindChoice ChooseKeyKind(const std::filesystem::path& patch_file, std::string_view patch_text);

}  // namespace vornak_gen
