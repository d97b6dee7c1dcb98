// Builds the numbered options of a page from the option catalogue: check boxes, counters with
// their labels, lists, the fixed difficulty levels and the page's standard-values button, in the
// catalogue's order, each registered under its control name and wired to the option rules for
// what the user does.
#pragma once

#include <QBoxLayout>
#include <QWidget>
#include <string_view>

#include "config/option_rules.h"
#include "ui/configurator/control_registry.h"

namespace ui {

class OptionBuilder {
 public:
  OptionBuilder(ControlRegistry& controls, config::OptionRules& rules)
      : controls_(controls), rules_(rules) {}

  // The builder may be a temporary: the handlers it connects hold the rules, not the builder.
  // The options of page `tab` (and, on the DLL page, of inner page `inner_page`), laid out one
  // per row in `layout`; `parent` owns the widgets.
  void AddOptions(std::string_view tab, int inner_page, QWidget* parent, QBoxLayout* layout);
  // The standard-values button of page `tab`, if it has one.
  void AddPageButton(std::string_view tab, QWidget* parent, QBoxLayout* layout);
  // The loading screens' delete button.
  QWidget* AddButton(std::string_view name, QWidget* parent, QBoxLayout* layout);

 private:
  void AddOption(const config::OptionInfo& option, QWidget* parent, QBoxLayout* layout);

  ControlRegistry& controls_;
  config::OptionRules& rules_;
};

}  // namespace ui
