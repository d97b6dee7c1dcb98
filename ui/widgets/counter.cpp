#include "ui/widgets/counter.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace ui {

Counter::Counter(const QString& edit_name, const QString& up_down_name, int max_digits,
                 Range arrows, int initial, QWidget* parent)
    : QWidget(parent), arrows_(arrows), position_(initial) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  edit_ = new QLineEdit(QString::number(initial), this);
  edit_->setObjectName(edit_name);
  edit_->setMaxLength(max_digits);
  edit_->setFixedWidth(12 + 9 * std::max(max_digits, 2));
  edit_->installEventFilter(this);
  layout->addWidget(edit_);

  up_down_ = new QWidget(this);
  up_down_->setObjectName(up_down_name);
  auto* arrows_layout = new QVBoxLayout(up_down_);
  arrows_layout->setContentsMargins(0, 0, 0, 0);
  arrows_layout->setSpacing(0);
  auto* up = new QToolButton(up_down_);
  up->setArrowType(Qt::UpArrow);
  auto* down = new QToolButton(up_down_);
  down->setArrowType(Qt::DownArrow);
  for (QToolButton* button : {up, down}) {
    button->setFixedSize(16, 11);
    button->setAutoRepeat(true);
    arrows_layout->addWidget(button);
  }
  layout->addWidget(up_down_);
  layout->addStretch();
  connect(up, &QToolButton::clicked, this, &Counter::StepUp);
  connect(down, &QToolButton::clicked, this, &Counter::StepDown);
  connect(edit_, &QLineEdit::textEdited, this, [this](const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (ok) position_ = value;
    emit ChangedByUser();
  });
}

int Counter::Position() const {
  bool ok = false;
  const int value = edit_->text().toInt(&ok);
  return ok ? value : position_;
}

void Counter::SetPosition(int position) {
  position_ = position;
  edit_->setText(QString::number(position));
}

void Counter::SetText(const QString& text) {
  edit_->setText(text);
  bool ok = false;
  const int value = text.toInt(&ok);
  if (ok) position_ = value;
}

void Counter::Step(int direction) {
  const int next = std::clamp(Position() + direction, arrows_.minimum, arrows_.maximum);
  if (next == Position() && edit_->text() == QString::number(next)) return;
  SetPosition(next);
  emit ChangedByUser();
}

bool Counter::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      focusNextChild();
      return true;
    }
    const QString text = key->text();
    const bool digit = text.size() == 1 && text[0] >= '0' && text[0] <= '9';
    const bool editing = key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Tab ||
                         key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Left ||
                         key->key() == Qt::Key_Right || key->key() == Qt::Key_Home ||
                         key->key() == Qt::Key_End || key->key() == Qt::Key_Delete;
    if (!digit && !editing && !text.isEmpty()) {
      QApplication::beep();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace ui
