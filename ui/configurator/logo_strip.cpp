#include "ui/configurator/logo_strip.h"

#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <span>

#include "platform/text.h"
#include "ui/configurator/logo_blend.h"

namespace ui {

std::vector<std::filesystem::path> ShufflePictures(std::vector<std::filesystem::path> pictures,
                                                   std::mt19937& random) {
  std::vector<std::filesystem::path> order;
  while (!pictures.empty()) {
    std::uniform_int_distribution<size_t> pick(0, pictures.size() - 1);
    const size_t chosen = pick(random);
    order.push_back(pictures[chosen]);
    pictures.erase(pictures.begin() + static_cast<std::ptrdiff_t>(chosen));
  }
  return order;
}

LogoStrip::LogoStrip(QWidget* parent) : QWidget(parent), built_in_(BuiltInLogo()) {
  // The pictures are 1000×100; the strip shows them scaled to the page's width.
  setFixedHeight(kHeight * 78 / 100);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  blend_ = built_in_;
  DrawFrame(blend_);
  hold_timer_.setSingleShot(true);
  hold_timer_.setInterval(kHoldMs);
  fade_timer_.setInterval(kFadeMs);
  connect(&hold_timer_, &QTimer::timeout, this, &LogoStrip::BeginFade);
  connect(&fade_timer_, &QTimer::timeout, this, [this] { FadeStep(step_ + 1); });
}

QImage LogoStrip::BuiltInLogo() {
  QImage image(kWidth, kHeight, QImage::Format_RGB888);
  QPainter painter(&image);
  QLinearGradient gradient(0, 0, kWidth, 0);
  gradient.setColorAt(0, QColor(24, 40, 72));
  gradient.setColorAt(1, QColor(120, 84, 32));
  painter.fillRect(image.rect(), gradient);
  QFont font("Tahoma");
  font.setPixelSize(44);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(QColor(10, 10, 10));
  painter.drawText(image.rect().translated(2, 2), Qt::AlignCenter, "Vornak.TQ");
  painter.setPen(QColor(235, 220, 170));
  painter.drawText(image.rect(), Qt::AlignCenter, "Vornak.TQ");
  return image;
}

void LogoStrip::LoadPictures(const std::filesystem::path& logo_folder, std::mt19937& random) {
  std::vector<std::filesystem::path> found;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(logo_folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    if (it->is_regular_file() && platform::EqualsNoCase(it->path().extension().string(), ".bmp")) {
      found.push_back(it->path());
    }
  }
  // Listing order differs between file systems; sort first so a seed gives the same shuffle.
  std::sort(found.begin(), found.end());
  pictures_ = ShufflePictures(std::move(found), random);
  index_ = -1;
}

QImage LogoStrip::Picture(int index) const {
  if (index < 0 || index >= picture_count()) return built_in_;
  QImage image(QString::fromStdString(pictures_[static_cast<size_t>(index)].string()));
  // A picture that cannot be read leaves the built-in logo in its place.
  if (image.isNull()) return built_in_;
  return image.convertToFormat(QImage::Format_RGB888).scaled(kWidth, kHeight);
}

void LogoStrip::DrawFrame(QImage& image) const {
  QPainter painter(&image);
  painter.setPen(QPen(QColor(40, 40, 40), 3));
  painter.drawRect(image.rect().adjusted(1, 1, -2, -2));
  painter.setPen(QPen(QColor(200, 190, 150), 1));
  painter.drawRect(image.rect().adjusted(4, 4, -5, -5));
}

void LogoStrip::BeginFade() {
  if (visible_test_ && !visible_test_()) {
    hold_timer_.start();
    return;
  }
  from_ = Picture(index_);
  ++index_;
  if (index_ >= picture_count()) index_ = -1;
  to_ = Picture(index_);
  blend_ = from_;
  step_ = 0;
  fade_timer_.start();
}

void LogoStrip::FadeStep(int step) {
  step_ = step;
  const auto bytes = [](const QImage& image) {
    return std::span<const uint8_t>(image.constBits(), static_cast<size_t>(image.sizeInBytes()));
  };
  BlendPictures(bytes(from_), bytes(to_), step,
                std::span<uint8_t>(blend_.bits(), static_cast<size_t>(blend_.sizeInBytes())));
  DrawFrame(blend_);
  update();
  if (step >= kLogoFadeSteps) {
    fade_timer_.stop();
    hold_timer_.start();
  }
}

void LogoStrip::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(rect(), blend_);
  if (!painted_) {
    painted_ = true;
    hold_timer_.start();
  }
}

}  // namespace ui
