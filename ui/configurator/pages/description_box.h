// The panel beside a grid that describes the selected row: its picture(s), its description, and
// the buttons of the 3D preview and of the unit information.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QWidget>

#include "catalogue/description_panel.h"
#include "ui/configurator/control_registry.h"

namespace ui {

class DescriptionBox : public QWidget {
  Q_OBJECT

 public:
  // `names`: the object names of the picture(s), the text, and the two buttons ("" for none).
  struct Names {
    const char* picture;
    const char* second_picture;  // flags only
    const char* text;
    const char* preview_button;
    const char* info_button;
  };
  DescriptionBox(ControlRegistry& controls, const Names& names, QWidget* parent);

  // Shows the description; false when a picture or a description file could not be read (the
  // caller reports it; what could be shown is shown).
  bool Show(const catalogue::DescriptionPanel& panel);

  QLabel* picture() const { return picture_; }
  QTextEdit* text() const { return text_; }
  QPushButton* preview_button() const { return preview_; }
  QPushButton* info_button() const { return info_; }

 private:
  QLabel* picture_;
  QLabel* second_picture_ = nullptr;
  QTextEdit* text_;
  QPushButton* preview_ = nullptr;
  QPushButton* info_ = nullptr;
};

}  // namespace ui
