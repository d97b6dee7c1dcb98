#include "ui/configurator/pages/dll_page.h"

#include <QLabel>

namespace ui {

DllPage::DllPage(ControlRegistry& controls, QWidget* parent)
    : Page("DLL", QString::fromUtf8("DLL (SDK) компоненты"), parent) {
  dll_switch_ = controls.Add(new QCheckBox(QString::fromUtf8("Установить DLL компонент"), this),
                             "CheckBox36");
  body()->addWidget(dll_switch_);
  inner_pages_ = controls.Add(new QStackedWidget(this), "PageControl2");
  inner_pages_->setFixedHeight(438);
  const char* names[] = {"TabSheetDllMod", "TabSheetRevDcm"};
  for (int variant = 0; variant < 2; ++variant) {
    variant_areas_[variant] = new OptionArea(inner_pages_);
    variant_areas_[variant]->setObjectName(names[variant]);
    inner_pages_->addWidget(variant_areas_[variant]);
  }
  const auto add_text_page = [&](const char* name, const char* text) {
    auto* label = new QLabel(QString::fromUtf8(text), inner_pages_);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    inner_pages_->addWidget(label);
  };
  add_text_page("TabSheetDisabled", "Отключено");
  add_text_page("TabSheetWrongVersion", "Версия вашей игры не подходит (Требуется версия 3.19)");
  body()->addWidget(inner_pages_);
  body()->addStretch();
  inner_pages_->setCurrentIndex(kDisabled);
}

OptionArea* DllPage::option_area() const {
  const int shown = inner_pages_->currentIndex();
  return shown == kDllMod || shown == kRevDcm ? variant_areas_[shown] : nullptr;
}

}  // namespace ui
