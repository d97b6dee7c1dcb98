// The information page: the logo strip, links to the mod's pages, and the statistics of the data.
#pragma once

#include <QLabel>
#include <string>
#include <vector>

#include "ui/configurator/control_registry.h"
#include "ui/configurator/logo_strip.h"
#include "ui/configurator/pages/option_area.h"

namespace ui {

// The values the statistics show.
struct Statistics {
  std::string xml_version;   // first line of <data>/XML/Civ4_XML_Version.ini, or "Unknown"
  std::string data_version;  // first line of <data>/DataVersion.ini, or "Unknown"
  int exact_shown = 0;
  int exact_found = 0;
  int loading_screens = 0;
  bool game_found = false;
  std::string game_version;  // normalised version text of the game executable
  int replacement_models = 0;
  int new_unit_models = 0;
  int replaceable_units = 0;
  int new_units = 0;
  int replacement_flags = 0;
};

class InfoPage : public Page {
  Q_OBJECT

 public:
  InfoPage(ControlRegistry& controls, QWidget* parent);

  void ShowStatistics(const Statistics& statistics);
  // The page's links open the Russian or the English address.
  void set_russian_links(bool russian) { russian_links_ = russian; }
  LogoStrip* logo() const { return logo_; }
  // The link labels turn blue again (the pointer left them).
  void ResetLinks();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Link {
    QLabel* label;
    QString russian;
    QString english;
  };
  LogoStrip* logo_;
  std::vector<QLabel*> statistics_;
  std::vector<Link> links_;
  bool russian_links_ = true;
};

}  // namespace ui
