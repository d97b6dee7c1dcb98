#include "shell/shared_texts.h"

#include "platform/text.h"

namespace shell {

SharedTexts BuiltInSharedTexts() {
  return {
      platform::Ansi("Предупреждение..."),
      platform::Ansi("Настройки программы %s \r\n\r\nОтсутствовали или содержали неверные значения "
                     "%d из %d параметров. \r\nОшибки в структуре данных исправлены. Файл "
                     "восстановлен."),
  };
}

SharedTexts& CurrentSharedTexts() {
  static SharedTexts texts = BuiltInSharedTexts();
  return texts;
}

}  // namespace shell
