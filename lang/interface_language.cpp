#include "lang/interface_language.h"

namespace lang {
namespace {

std::string& Current() {
  static std::string language = "Russian";
  return language;
}

}  // namespace

const std::string& InterfaceLanguage() { return Current(); }

void SetInterfaceLanguage(std::string_view language) { Current() = std::string(language); }

bool IsRussian(std::string_view language) { return language == "Russian" || language == "Russkii"; }

}  // namespace lang
