#include "ui/configurator/start_windows.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "errors/guard.h"
#include "shell/program_identity.h"
#include "ui/configurator/ansi.h"

namespace ui {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

void CentreOnScreen(QWidget* window) {
  if (const QScreen* screen = QApplication::primaryScreen()) {
    window->move(screen->geometry().center() - window->rect().center());
  }
}

}  // namespace

SplashWindow::SplashWindow() {
  setObjectName("TUFormSScreen");
  setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(320, 80);
  auto* loading = new QLabel(" Loading...", this);
  loading->setGeometry(0, 60, 320, 20);
  loading->setAutoFillBackground(true);
  CentreOnScreen(this);
}

void SplashWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  const QIcon icon = style()->standardIcon(QStyle::SP_ComputerIcon);
  painter.drawRect(5, 5, 49, 49);
  painter.drawPixmap(6, 6, icon.pixmap(48, 48));
  QFont title("Tahoma");
  title.setPixelSize(16);
  title.setBold(true);
  painter.setFont(title);
  const QString text = FromAnsi(shell::kSplashTitle);
  painter.setPen(Qt::gray);  // the shadow, one pixel right and below
  painter.drawText(67, 25, text);
  painter.setPen(Qt::black);
  painter.drawText(66, 24, text);
  QFont small("Tahoma");
  small.setPixelSize(11);
  painter.setFont(small);
  painter.drawText(66, 44, "For Sid Meier`s Civilization IV BTS...");
}

NotSupportedWindow::NotSupportedWindow(const QString& minimum_system_name) {
  setObjectName("TUFormNotSupportedOS");
  setWindowTitle(FromAnsi(shell::kProgramName) + " " + FromAnsi(shell::kProgramVersion) + "...");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(
      FromAnsi(shell::kProgramName) + " Version: " + FromAnsi(shell::kProgramVersion), this));
  auto* warning = new QLabel(
      U("Программа не совместима с вашей Windows!\n") + "The program is not combined with your OS!",
      this);
  warning->setStyleSheet("background: black; color: yellow; font-weight: bold; padding: 6px;");
  layout->addWidget(warning);
  layout->addWidget(new QLabel(U("Предназначена для Windows ") + minimum_system_name +
                                   U(" и выше.\n") + "For Windows " + minimum_system_name +
                                   " and high.",
                               this));
  auto* site = new QLabel(
      "<a href=\"https://vornak-tq.example.org\">vornak-tq.example.org</a>  "
      "<a href=\"mailto:ostrel@vornak-tq.example.org\">"
      "ostrel@vornak-tq.example.org</a>",
      this);
  site->setOpenExternalLinks(true);
  layout->addWidget(site);
  auto* ok = new QPushButton("&Ok", this);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(ok, 0, Qt::AlignCenter);
}

FirstChooseDialog::FirstChooseDialog(const std::vector<QString>& languages) {
  setObjectName("TUFormFirstChoose");
  setWindowTitle(FromAnsi(shell::kProgramName) + " - First choose language...");
  setFixedSize(355, 94);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("Choose your language:", this));
  list_ = new QComboBox(this);
  for (const auto& language : languages) list_->addItem(language);
  list_->setCurrentIndex(0);
  layout->addWidget(list_);
  auto* ok = new QPushButton(U("Ок"), this);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(ok, 0, Qt::AlignRight);
  setWindowFlag(Qt::WindowStaysOnTopHint);
}

int FirstChooseDialog::Choose(const std::vector<QString>& languages, bool first_run) {
  return errors::Guarded("FC.001-01", [&] {
    if (!first_run || languages.size() < 2) return 0;
    FirstChooseDialog dialog(languages);
    dialog.exec();
    return dialog.chosen();
  });
}

}  // namespace ui
