// The installer's banner across the top of its window and its window icon, drawn at run time.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace installer_ui {

QPixmap BannerPicture(QSize size);
QIcon InstallerIcon();

}  // namespace installer_ui
