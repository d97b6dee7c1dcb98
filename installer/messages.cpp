#include "installer/messages.h"

#include "platform/text.h"

namespace installer {
namespace {

unsigned IconOf(std::string_view kind) {
  if (platform::EqualsNoCase(kind, "warning")) return platform::kMbIconExclamation;
  if (platform::EqualsNoCase(kind, "info")) return platform::kMbIconInformation;
  if (platform::EqualsNoCase(kind, "quest")) return platform::kMbIconQuestion;
  if (platform::EqualsNoCase(kind, "error")) return platform::kMbIconStop;
  return 0;
}

}  // namespace

int ShowBox(platform::Dialogs& dialogs, std::string_view text, std::string_view caption,
            std::string_view kind, unsigned buttons) {
  return dialogs.MessageBox(
      0, text, caption,
      (buttons & platform::kMbButtonMask) | IconOf(kind) | platform::kMbSystemModal);
}

}  // namespace installer
