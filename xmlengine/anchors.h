// Anchor sections of template files: a begin-anchor line and an end-anchor line that
// name a game file enclose the text meant for that file.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace xmlengine {

enum class AnchorKind {
  kUnitInfos = 0,        // "[CIV4UnitInfos.xml]"
  kUnitClassInfos = 1,   // "[CIV4UnitClassInfos.xml]"
  kGameTextObjects = 2,  // "[CIV4GameTextInfos_Objects.xml]", lines get the indentation
  kPediaUnits = 3,       // "[CIV4GameText_Civilopedia_Units.xml]", lines get the indentation
};

inline constexpr std::string_view kArtBeginAnchor = "BEGIN ANCHOR [CIV4ArtDefines_Unit.xml]";
inline constexpr std::string_view kArtEndAnchor = "END ANCHOR [CIV4ArtDefines_Unit.xml]";

std::string_view BeginAnchor(AnchorKind kind);
std::string_view EndAnchor(AnchorKind kind);

// The empty-animation rule of the new-unit records, given to ReadArtAnchorSection by its caller: it sees each
// copied line as it is about to be stored (its tabs removed, the indentation and one tab in front)
// and returns the line to store instead (usually the same line).
using ArtLineHook = std::function<std::string(std::string_view line)>;

}  // namespace xmlengine
