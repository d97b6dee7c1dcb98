// A counter: a digits-only edit box with an up-down beside it. The up-down's arrows move within
// their own range; what the user types is limited only by the number of digits (a separate check
// clamps it). Enter moves the focus to the next control.
#pragma once

#include <QLineEdit>
#include <QToolButton>
#include <QWidget>

namespace ui {

class Counter : public QWidget {
  Q_OBJECT

 public:
  struct Range {
    int minimum;
    int maximum;
  };

  // `edit_name` and `up_down_name` are the names the two parts answer to ("NTCEdit2", "UpDown3").
  Counter(const QString& edit_name, const QString& up_down_name, int max_digits, Range arrows,
          int initial, QWidget* parent);

  // The up-down's position: the number in the edit when it holds one, else the last one.
  int Position() const;
  // Sets the position and shows it in the edit.
  void SetPosition(int position);
  QString Text() const { return edit_->text(); }
  void SetText(const QString& text);

  QLineEdit* edit() const { return edit_; }
  QWidget* up_down() const { return up_down_; }
  Range arrows() const { return arrows_; }

  // The arrows, as a click on them does.
  void StepUp() { Step(+1); }
  void StepDown() { Step(-1); }

 signals:
  // The user changed the value: typed into the edit or pressed an arrow.
  void ChangedByUser();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Step(int direction);

  QLineEdit* edit_;
  QWidget* up_down_;
  Range arrows_;
  int position_;
};

}  // namespace ui
