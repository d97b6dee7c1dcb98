// Paths that come from data files, scripts and configurations are Windows paths in the ANSI code
// page ("Assets\XML\Units\CIV4UnitInfos.xml"). On Linux they are converted to '/' separators and
// UTF-8 file names, resolved without ASCII case against what is on disk, and kept inside the folder
// they are relative to.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

namespace fs = std::filesystem;

// '\' becomes '/'.
std::string ToSlashes(std::string_view path);

// An ANSI (cp1251) path text as a file-system path with UTF-8 names and '/' separators.
fs::path PathFromAnsi(std::string_view ansi);
// The file-system path as ANSI text (names outside cp1251 become '?').
std::string PathToAnsi(const fs::path& path);

// A relative path from data, checked and normalised lexically: '\' and '/' both separate, empty
// and "." components drop out, ".." removes the component before it. Refused (nullopt) when the
// text is empty, absolute, carries a drive letter ("C:"), climbs above its base with "..", or
// holds a zero byte.
std::optional<fs::path> ConfineRelative(std::string_view ansi_relative);

// Resolves every existing component of `path` without ASCII case: an exact match is preferred,
// otherwise the first entry (in byte order) that differs only in ASCII case is taken. From the
// first component that exists under no spelling on, the given spelling is kept, so the result also
// serves a write: a file written there reuses an entry that differs only in case instead of
// creating a second one beside it.
fs::path ResolveCase(const fs::path& path);

// ConfineRelative, then ResolveCase of base / relative. nullopt when the relative text is refused.
std::optional<fs::path> ResolveInside(const fs::path& base, std::string_view ansi_relative);

// The path with "." and "..", every symbolic link and the current folder resolved, as far as it
// exists; what does not exist yet is appended as written, so the result also names where a write
// would land. A link is followed even when what it names is missing (a write through it would
// create that). nullopt when the path cannot be examined or its links loop.
std::optional<fs::path> RealPath(const fs::path& path);

// The real path of `path` when it lies inside the real path of `base` (or is it), else nullopt.
// Confinement decided on real paths: a link below `base` that leads out of it is refused, `base`
// itself may be reached through links.
std::optional<fs::path> RealPathInside(const fs::path& base, const fs::path& path);

// Whether `path` lies inside `base` on real paths: every symbolic link on the way is followed
// first (at any depth, `base`'s own links and folders reached through links included), so a link
// inside `base` that leads out of it is outside. A dangling link counts as outside, since what it
// leads to would only appear later; a tail of `path` (or of `base`) that does not exist is taken
// as written. False when a component cannot be examined.
bool StaysInside(const fs::path& base, const fs::path& path);

// ResolveInside with confinement decided on real paths: also nullopt when the resolved path does
// not stay inside `base` (StaysInside). The result keeps the names as resolved, not the links'
// targets, so a file reached through a link keeps the name its data gives it.
std::optional<fs::path> ResolveInsideRealPath(const fs::path& base, std::string_view ansi_relative);

// A path text that the user or a settings file gave (absolute or relative to the current folder):
// converted from ANSI, '\' to '/', and case-resolved. No confinement: the user chose it. A
// Windows drive path ("C:\Program Files\...", as registry values of a game installed under Wine
// hold it) is taken inside the Wine prefix: ${WINEPREFIX:-~/.wine}/dosdevices/c:/Program Files/...
fs::path PathFromUserText(std::string_view ansi);

// The text of a folder path with exactly one separator at its end ("" stays "").
std::string WithTrailingSeparator(std::string_view folder);

}  // namespace platform
