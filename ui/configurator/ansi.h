// The meeting point of the features' ANSI (cp1251) texts and Qt's Unicode strings.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "platform/text.h"

namespace ui {

inline QString FromAnsi(std::string_view ansi) {
  return QString::fromStdString(platform::Cp1251ToUtf8(ansi));
}

inline std::string ToAnsi(const QString& text) {
  return platform::Utf8ToCp1251(text.toStdString());
}

}  // namespace ui
