// The interface language in force ("Russian" for the designed texts) and the languages installed
// as packs. Set up at start-up; every window and message reads it.
#pragma once

#include <string>
#include <string_view>

namespace lang {

const std::string& InterfaceLanguage();
void SetInterfaceLanguage(std::string_view language);

// The language is Russian for the purposes of choosing Russian texts and pictures: "Russian" or
// "Russkii".
bool IsRussian(std::string_view language);

}  // namespace lang
