#include "ui/configurator/pages/description_box.h"

#include <QPixmap>
#include <QVBoxLayout>

#include "ui/configurator/ansi.h"

namespace ui {

DescriptionBox::DescriptionBox(ControlRegistry& controls, const Names& names, QWidget* parent)
    : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* pictures = new QHBoxLayout();
  picture_ = controls.Add(new QLabel(this), names.picture);
  picture_->setFixedSize(256, 192);
  picture_->setFrameShape(QFrame::Box);
  picture_->setAlignment(Qt::AlignCenter);
  pictures->addWidget(picture_);
  if (names.second_picture) {
    second_picture_ = controls.Add(new QLabel(this), names.second_picture);
    second_picture_->setFixedSize(128, 192);
    second_picture_->setFrameShape(QFrame::Box);
    second_picture_->setAlignment(Qt::AlignCenter);
    pictures->addWidget(second_picture_);
  }
  pictures->addStretch();
  layout->addLayout(pictures);
  text_ = controls.Add(new QTextEdit(this), names.text);
  text_->setReadOnly(true);
  layout->addWidget(text_, 1);
  auto* buttons = new QHBoxLayout();
  if (names.preview_button) {
    preview_ = controls.Add(new QPushButton(QString::fromUtf8("3D просмотр..."), this),
                            names.preview_button);
    preview_->setEnabled(false);
    buttons->addWidget(preview_);
  }
  if (names.info_button) {
    info_ = controls.Add(new QPushButton(QString::fromUtf8("Информация о юните..."), this),
                         names.info_button);
    info_->setEnabled(false);
    buttons->addWidget(info_);
  }
  buttons->addStretch();
  layout->addLayout(buttons);
}

bool DescriptionBox::Show(const catalogue::DescriptionPanel& panel) {
  bool complete = !panel.text_missing;
  QLabel* labels[] = {picture_, second_picture_};
  for (size_t i = 0; i < 2; ++i) {
    if (!labels[i]) continue;
    labels[i]->clear();
    if (i >= panel.pictures.size()) continue;
    QPixmap picture(QString::fromStdString(panel.pictures[i].string()));
    if (picture.isNull()) {
      complete = false;
      continue;
    }
    labels[i]->setPixmap(
        picture.scaled(labels[i]->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
  }
  text_->setPlainText(FromAnsi(panel.text));
  if (preview_) preview_->setEnabled(panel.preview_enabled);
  if (info_) info_->setEnabled(panel.unit_info_enabled);
  return complete;
}

}  // namespace ui
