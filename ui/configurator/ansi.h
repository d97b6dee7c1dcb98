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

// A UTF-8 text of the source (the option tables keep their captions so).
inline QString FromUtf8(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string ToAnsi(const QString& text) {
  return platform::Utf8ToCp1251(text.toStdString());
}

}  // namespace ui
