// The ordered registry of the named controls a window or frame owns. Control names are part of
// the data interface (configuration keys, patch files and language packs address controls by
// name), so lookups compare names without ASCII case, as the class library did.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <string_view>
#include <vector>

namespace ui {

class ControlRegistry {
 public:
  // Sets the widget's objectName and registers it; returns the widget for chaining.
  template <typename Widget>
  Widget* Add(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    controls_.emplace_back(widget);
    return widget;
  }

  QWidget* Find(std::string_view name) const;
  template <typename Widget>
  Widget* FindAs(std::string_view name) const {
    return qobject_cast<Widget*>(Find(name));
  }

  // In registration order (the order in which the window owns them).
  std::vector<QWidget*> Controls() const;

 private:
  std::vector<QPointer<QWidget>> controls_;
};

}  // namespace ui
