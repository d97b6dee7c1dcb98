// The logo strip of the information page: the built-in logo and the pictures of
// <data>/Interface/LogoImages, shuffled once, cross-faded one into the next: hold 3000 ms, then 50
// fade steps of 55 ms, with a frame drawn over every picture.
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <random>
#include <vector>

namespace ui {

class LogoStrip : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 1000;
  static constexpr int kHeight = 100;
  static constexpr int kHoldMs = 3000;
  static constexpr int kFadeMs = 55;

  explicit LogoStrip(QWidget* parent);

  // Collects the ".bmp" pictures (extension without ASCII case) and shuffles them.
  void LoadPictures(const std::filesystem::path& logo_folder, std::mt19937& random);
  // Whether the owner window is visible and not minimised: the fade waits otherwise.
  void set_visible_test(std::function<bool()> test) { visible_test_ = std::move(test); }

  // The hold timer fired: start fading from the current picture to the next.
  void BeginFade();
  // One fade step (1 to 50).
  void FadeStep(int step);

  int current_index() const { return index_; }
  int picture_count() const { return static_cast<int>(pictures_.size()); }
  const QImage& shown() const { return blend_; }
  QTimer* hold_timer() { return &hold_timer_; }
  QTimer* fade_timer() { return &fade_timer_; }

  static QImage BuiltInLogo();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage Picture(int index) const;
  void DrawFrame(QImage& image) const;

  std::vector<std::filesystem::path> pictures_;
  int index_ = -1;  // -1: the built-in logo
  int step_ = 0;
  bool painted_ = false;
  QImage built_in_;
  QImage from_;
  QImage to_;
  QImage blend_;
  QTimer hold_timer_;
  QTimer fade_timer_;
  std::function<bool()> visible_test_;
};

// The shuffle of the logo pictures: draw one at random from those left until none is left.
std::vector<std::filesystem::path> ShufflePictures(std::vector<std::filesystem::path> pictures,
                                                   std::mt19937& random);

}  // namespace ui
