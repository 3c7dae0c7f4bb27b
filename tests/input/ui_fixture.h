#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <tuple>
#include <utility>
#include <vector>

#include "app/scene.h"
#include "app/window.h"
#include "input/input.h"
#include "support/resets.h"

namespace fs = std::filesystem;

// A fresh scene with n objects (records 6 to 5 + n, the last one current) in
// a 600 x 500 "display" window, run in an empty directory where backups land.
template <int n = 0>
struct UiTest : ::testing::Test {
  fs::path old = fs::current_path(), dir;
  void SetUp() override {
    char templ[] = "/tmp/silmod-ui-XXXXXX";
    ASSERT_NE(mkdtemp(templ), nullptr);
    fs::current_path(dir = fs::canonical(templ));
    reset_input_layer();
    win_width = 600, win_height = 500;
    for (int i = 0; i < n; i++) create_object();
  }
  void TearDown() override { fs::current_path(old), fs::remove_all(dir); }
};

// Whether a handler wrote the file; it is removed for the next check.
inline bool written(const char* file) { return fs::remove(file); }

// Clicks through the window's mouse callback: {button, x, y} or {button, x, y, times}.
inline void click(std::initializer_list<std::array<int, 4>> clicks) {
  for (const auto& [button, x, y, times] : clicks)
    for (int i = 0; i < std::max(times, 1); i++)
      mouse_3d(button, 0, x, y), mouse_3d(button, 1, x, y);
}

// Values compared together, to four decimals so that float rounding does not count.
template <class... T>
std::vector<double> state(T... v) {
  return {std::round(static_cast<double>(v) * 1e4) / 1e4 ...};
}
