#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>

#include "tests/support/temp_folder.h"
#include "ui/configurator/logo_blend.h"
#include "ui/configurator/logo_strip.h"

namespace ui {
namespace {

TEST(LogoBlend, RoundsHalvesToEven) {
  struct Case {
    int from, to, step, expected;
  } cases[] = {
      {0, 255, 0, 0},      {0, 255, 50, 255}, {0, 255, 25, 128},  // 127.5 → 128
      {0, 1, 25, 0},                                              // 0.5 → 0
      {0, 3, 25, 2},                                              // 1.5 → 2
      {10, 20, 1, 10},     {10, 20, 3, 11},                       // 10.2, 10.6
      {200, 100, 10, 180},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BlendByte(static_cast<uint8_t>(c.from), static_cast<uint8_t>(c.to), c.step),
              c.expected)
        << c.from << "→" << c.to << " at " << c.step;
  }
}

TEST(LogoStrip, WithoutPicturesTheBuiltInLogoFadesIntoItself) {
  testing_support::TempFolder folder;
  LogoStrip strip(nullptr);
  std::mt19937 random(1);
  strip.LoadPictures(folder / "LogoImages", random);
  const QImage before = strip.shown();
  strip.BeginFade();
  for (int step = 1; step <= kLogoFadeSteps; ++step) strip.FadeStep(step);
  EXPECT_EQ(strip.current_index(), -1);
  EXPECT_EQ(strip.shown(), before);
  EXPECT_TRUE(strip.hold_timer()->isActive());
  EXPECT_FALSE(strip.fade_timer()->isActive());
}

TEST(LogoStrip, WalksThePicturesAndReturnsToTheBuiltInLogo) {
  testing_support::TempFolder folder;
  std::filesystem::create_directories(folder / "LogoImages");
  for (const char* name : {"a.bmp", "b.BMP"}) {
    QImage image(LogoStrip::kWidth, LogoStrip::kHeight, QImage::Format_RGB888);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(QString::fromStdString((folder / "LogoImages" / name).string()), "BMP"));
  }
  folder.Write("LogoImages/skip.jpg", "not a bmp");
  LogoStrip strip(nullptr);
  std::mt19937 random(7);
  strip.LoadPictures(folder / "LogoImages", random);
  ASSERT_EQ(strip.picture_count(), 2);
  std::vector<int> order;
  for (int cycle = 0; cycle < 3; ++cycle) {
    strip.BeginFade();
    for (int step = 1; step <= kLogoFadeSteps; ++step) strip.FadeStep(step);
    order.push_back(strip.current_index());
  }
  EXPECT_EQ(order, (std::vector<int>{0, 1, -1}));
}

TEST(ShufflePictures, KeepsEveryPictureOnce) {
  std::mt19937 random(3);
  std::vector<std::filesystem::path> pictures = {"a", "b", "c", "d"};
  auto shuffled = ShufflePictures(pictures, random);
  std::sort(shuffled.begin(), shuffled.end());
  EXPECT_EQ(shuffled, pictures);
}

}  // namespace
}  // namespace ui
