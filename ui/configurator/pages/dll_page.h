// The page of the DLL components: the switch, the variant list and the inner pages of the two
// variants, of the switched-off state and of a game version that does not fit.
#pragma once

#include <QCheckBox>
#include <QStackedWidget>

#include "config/option_rules.h"
#include "ui/configurator/control_registry.h"
#include "ui/configurator/pages/option_area.h"

namespace ui {

class DllPage : public Page {
  Q_OBJECT

 public:
  enum InnerPage { kDllMod = 0, kRevDcm = 1, kDisabled = 2, kWrongVersion = 3 };

  DllPage(ControlRegistry& controls, config::OptionRules& rules, QWidget* parent);

  QCheckBox* dll_switch() const { return dll_switch_; }
  QStackedWidget* inner_pages() const { return inner_pages_; }
  OptionArea* variant_area(int variant) const { return variant_areas_[variant]; }
  // The option area that scrolls: the one of the variant shown, if any.
  OptionArea* option_area() const override;

 private:
  QCheckBox* dll_switch_;
  QStackedWidget* inner_pages_;
  OptionArea* variant_areas_[2];
};

}  // namespace ui
