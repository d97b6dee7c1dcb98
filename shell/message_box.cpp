#include "shell/message_box.h"

#include <string>

#include "errors/guard.h"
#include "platform/text.h"
#include "shell/program_identity.h"
#include "shell/shared_texts.h"

namespace shell {

unsigned IconOfKind(std::string_view kind) {
  if (platform::EqualsNoCase(kind, "warning")) return platform::kMbIconExclamation;
  if (platform::EqualsNoCase(kind, "info")) return platform::kMbIconInformation;
  if (platform::EqualsNoCase(kind, "quest")) return platform::kMbIconQuestion;
  if (platform::EqualsNoCase(kind, "error")) return platform::kMbIconStop;
  return 0;
}

int ShowMessage(platform::WindowRef owner, std::string_view text, std::string_view caption,
                unsigned flags, std::string_view kind) {
  return errors::Guarded("UP.004-01", [&] {
    platform::Dialogs& dialogs = platform::CurrentDialogs();
    const int answer = dialogs.MessageBox(owner, text, caption, flags | IconOfKind(kind));
    dialogs.BringToFront(owner);
    return answer;
  });
}

void ShowSettingsRepairMessage(platform::WindowRef owner, int repairs, int reads) {
  const SharedTexts& texts = CurrentSharedTexts();
  const std::string text = platform::FormatMessage(
      texts.settings_repair_format,
      {std::string(kProgramName), std::to_string(repairs), std::to_string(reads)});
  ShowMessage(owner, text, texts.warning_caption, platform::kMbSystemModal, "warning");
}

}  // namespace shell
