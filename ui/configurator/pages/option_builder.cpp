#include "ui/configurator/pages/option_builder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <string>

#include "errors/guard.h"
#include "ui/configurator/window_controls.h"
#include "ui/widgets/counter.h"

namespace ui {
namespace {

QString U(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

const char* Name(std::string_view name, std::string& storage) {
  storage.assign(name);
  return storage.c_str();
}

}  // namespace

void OptionBuilder::AddOptions(std::string_view tab, int inner_page, QWidget* parent,
                               QBoxLayout* layout) {
  for (const auto& option : config::Options()) {
    if (option.page != tab || option.inner_page != inner_page) continue;
    // The loading-screen list sits with its preview; the DLL switch and variant list head their
    // page. Their pages place them.
    if (option.key == 12 || option.key == 58 || option.key == 59) continue;
    AddOption(option, parent, layout);
    for (const auto& level : config::FixedLevels()) {
      if (level.after_key != option.key) continue;
      std::string name;
      auto* box = controls_.Add(new QCheckBox(U(level.caption), parent), Name(level.control, name));
      box->setToolTip(U(level.hint));
      box->setChecked(true);
      box->setEnabled(false);
      layout->addWidget(box);
    }
  }
}

void OptionBuilder::AddOption(const config::OptionInfo& option, QWidget* parent,
                              QBoxLayout* layout) {
  std::string name;
  const QString hint = U(option.hint);
  switch (option.kind) {
    case config::OptionKind::kCheckBox: {
      auto* box =
          controls_.Add(new QCheckBox(U(option.caption), parent), Name(option.control, name));
      box->setToolTip(hint);
      const std::string control(option.control);
      // Only the user's clicks run the rule; what the rules set does not come back here.
      // The builder is gone by the time the user clicks; the rules stay with the window.
      config::OptionRules& rules = rules_;
      QObject::connect(box, &QCheckBox::clicked, parent, [&rules, control] {
        errors::Guarded("01.020-01", [&] { rules.CheckBoxClicked(control); });
      });
      layout->addWidget(box);
      break;
    }
    case config::OptionKind::kCounter: {
      auto* row = new QWidget(parent);
      auto* row_layout = new QHBoxLayout(row);
      row_layout->setContentsMargins(0, 0, 0, 0);
      auto* counter =
          new Counter(U(option.counter.edit), U(option.control), option.counter.digits,
                      {option.counter.arrow_min, option.counter.arrow_max}, option.initial, row);
      auto* label = new QLabel(U(option.caption), row);
      label->setToolTip(hint);
      counter->setToolTip(hint);
      row_layout->addWidget(counter);
      row_layout->addWidget(label, 1);
      controls_.Add(counter->up_down(), Name(option.control, name));
      std::string edit_name;
      controls_.Add(counter->edit(), Name(option.counter.edit, edit_name));
      SetBuddyLabel(counter, label);
      config::OptionRules& rules = rules_;
      QObject::connect(counter, &Counter::ChangedByUser, parent,
                       [&rules] { errors::Guarded("01.021-01", [&] { rules.CounterChanged(); }); });
      layout->addWidget(row);
      break;
    }
    case config::OptionKind::kList: {
      auto* label = new QLabel(U(option.caption), parent);
      layout->addWidget(label);
      if (option.key == 173) {
        auto* combo = controls_.Add(new QComboBox(parent), Name(option.control, name));
        for (const auto item : config::ListItems(option.key)) combo->addItem(U(item));
        combo->setToolTip(hint);
        SetBuddyLabel(combo, label);
        layout->addWidget(combo, 0, Qt::AlignLeft);
      } else {
        auto* list = controls_.Add(new QListWidget(parent), Name(option.control, name));
        for (const auto item : config::ListItems(option.key)) list->addItem(U(item));
        list->setToolTip(hint);
        list->setMaximumHeight(60);
        SetBuddyLabel(list, label);
        layout->addWidget(list);
      }
      break;
    }
  }
}

void OptionBuilder::AddPageButton(std::string_view tab, QWidget* parent, QBoxLayout* layout) {
  for (const auto& button : config::Buttons()) {
    if (button.page == tab && button.name != config::kDeleteLoadingScreenButton) {
      AddButton(button.name, parent, layout);
    }
  }
}

QWidget* OptionBuilder::AddButton(std::string_view name, QWidget* parent, QBoxLayout* layout) {
  for (const auto& info : config::Buttons()) {
    if (info.name != name) continue;
    std::string storage;
    auto* button =
        controls_.Add(new QPushButton(U(info.caption), parent), Name(info.name, storage));
    const std::string control(info.name);
    if (control != config::kDeleteLoadingScreenButton) {
      config::OptionRules& rules = rules_;
      QObject::connect(button, &QPushButton::clicked, parent, [&rules, control] {
        errors::Guarded("01.031-01", [&] { rules.ButtonPressed(control); });
      });
    }
    layout->addWidget(button, 0, Qt::AlignLeft);
    return button;
  }
  return nullptr;
}

}  // namespace ui
