#include "ui/configurator/pages/dll_page.h"

#include <QLabel>
#include <QListWidget>

#include "errors/guard.h"
#include "ui/configurator/pages/option_builder.h"
#include "ui/configurator/window_controls.h"

namespace ui {

DllPage::DllPage(ControlRegistry& controls, config::OptionRules& rules, QWidget* parent)
    : Page("DLL", QString::fromUtf8("DLL (SDK) компоненты"), parent) {
  const config::OptionInfo* dll = config::FindOption(58);
  dll_switch_ =
      controls.Add(new QCheckBox(QString::fromUtf8(dll->caption.data()), this), "CheckBox36");
  dll_switch_->setToolTip(QString::fromUtf8(dll->hint.data()));
  connect(dll_switch_, &QCheckBox::clicked, this,
          [&rules] { errors::Guarded("01.029-01", [&] { rules.CheckBoxClicked("CheckBox36"); }); });
  body()->addWidget(dll_switch_);
  auto* variants = controls.Add(new QListWidget(this), "NTCListBox3");
  for (const auto item : config::ListItems(59)) {
    variants->addItem(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())));
  }
  variants->setMaximumHeight(48);
  variants->setToolTip(QString::fromUtf8(config::FindOption(59)->hint.data()));
  connect(variants, &QListWidget::itemClicked, this,
          [&rules] { errors::Guarded("01.029-01", [&] { rules.DllVariantClicked(); }); });
  body()->addWidget(variants);
  inner_pages_ = controls.Add(new QStackedWidget(this), "PageControl2");
  inner_pages_->setFixedHeight(438);
  const char* names[] = {"TabSheetDllMod", "TabSheetRevDcm"};
  for (int variant = 0; variant < 2; ++variant) {
    variant_areas_[variant] = new OptionArea(inner_pages_);
    variant_areas_[variant]->setObjectName(names[variant]);
    inner_pages_->addWidget(variant_areas_[variant]);
    OptionBuilder(controls, rules)
        .AddOptions("DLL", variant, variant_areas_[variant]->widget(),
                    variant_areas_[variant]->content());
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
