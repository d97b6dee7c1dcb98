// Texts the shared procedures show. They are the captions and hints of hidden labels on the
// shared-procedures frame, so a language pack translates them with that frame; these are the
// built-in (Russian) texts, in ANSI.
#pragma once

#include <string>

namespace shell {

struct SharedTexts {
  std::string warning_caption;  // "Предупреждение..."
  std::string settings_repair_format;  // "Настройки программы %s ... %d из %d параметров. ..."
};

// The texts in force (the built-in ones until a language pack replaces them).
SharedTexts& CurrentSharedTexts();
SharedTexts BuiltInSharedTexts();

}  // namespace shell
