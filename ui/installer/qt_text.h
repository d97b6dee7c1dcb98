// Texts cross into Qt here: ANSI (cp1251) with CR LF inside, UTF-8 QStrings with LF outside.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "platform/text.h"

namespace installer_ui {

inline QString ToQt(std::string_view ansi) {
  QString text = QString::fromStdString(platform::Cp1251ToUtf8(ansi));
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

inline std::string FromQt(const QString& text) {
  return platform::Utf8ToCp1251(text.toStdString());
}

}  // namespace installer_ui
