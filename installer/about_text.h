// The about text of a pack, Source/aboutPack.ini: a list of the languages it holds, ended by
// "List: end", then one block per language between "Language: <name>" and "Language: End".
#pragma once

#include <string>
#include <string_view>

namespace installer {

// The block of `language` when the list names it, else the English block when the list names
// English, else the Russian one when it names Russian; its lines joined with CR LF. Empty when
// no block fits.
std::string AboutText(std::string_view file_bytes, std::string_view language);

}  // namespace installer
