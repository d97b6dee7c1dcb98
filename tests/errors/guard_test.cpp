#include "errors/guard.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "errors/abort.h"
#include "errors/error_processor.h"
#include "platform/system_error.h"

namespace errors {
namespace {

class CapturingWindow : public ErrorWindow {
 public:
  void Show(const std::string& code_text) override { codes.push_back(code_text); }
  std::vector<std::string> codes;
};

class GuardTest : public ::testing::Test {
 protected:
  GuardTest() { Processor().set_window(&window_); }
  ~GuardTest() override { Processor().set_window(nullptr); }
  CapturingWindow window_;
};

TEST_F(GuardTest, ReturnsTheBodysResultOrANeutralOne) {
  EXPECT_EQ(Guarded("UP.001-01", [] { return 7; }), 7);
  EXPECT_EQ(Guarded("UP.001-01", []() -> int { throw std::runtime_error("x"); }), 0);
  EXPECT_EQ(Guarded("UP.001-01", []() -> std::string { throw 1; }), "");
  EXPECT_EQ(GuardedOr("UP.001-01", 5, []() -> int { throw Abort(); }), 5);
  EXPECT_EQ(Guarded("UP.001-01", []() -> std::optional<int> { throw Abort(); }), std::nullopt);
  EXPECT_EQ(window_.codes.size(), 4u);
}

TEST_F(GuardTest, ReportsTheErrorNumberOfTheFailingCall) {
  Guarded("URG.004-01", [] {
    const int captured = ENOENT;
    errno = 0;  // what ran after the failure must not matter
    throw platform::SystemError("open failed", captured);
  });
  Guarded("URG.005-01", [] { std::filesystem::copy_file("/nonexistent/a", "/nonexistent/b"); });
  Guarded("URG.006-01", [] {
    errno = EACCES;
    throw std::runtime_error("plain");
  });
  EXPECT_EQ(window_.codes, (std::vector<std::string>{" 1.5.0-URG.004-01.2", " 1.5.0-URG.005-01.2",
                                                     " 1.5.0-URG.006-01.13"}));
}

}  // namespace
}  // namespace errors
