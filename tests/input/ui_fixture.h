// A fresh scene in a 600 x 500 "display" window, run inside an empty
// directory under /tmp where the handlers' backup files land.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "app/scene.h"
#include "app/startup.h"
#include "app/window.h"
#include "input/input.h"

namespace fs = std::filesystem;

struct UiTest : ::testing::Test {
  fs::path old = fs::current_path(), dir;
  void SetUp() override {
    char templ[] = "/tmp/silmod-ui-XXXXXX";
    ASSERT_NE(mkdtemp(templ), nullptr);
    fs::current_path(dir = fs::canonical(templ));
    reset_all();
    win_width = 600;
    win_height = 500;
  }
  void TearDown() override {
    fs::current_path(old);
    fs::remove_all(dir);
  }
};

// The same with n objects, records 6 to 5 + n, the last one current.
template <int n>
struct UiTestWith : UiTest {
  void SetUp() override {
    UiTest::SetUp();
    for (int i = 0; i < n; i++) create_object();
  }
};

// Whether a handler wrote the file; it is removed for the next check.
inline bool written(const char* file) { return fs::remove(file); }

// Presses and releases a button through the window's mouse callback.
inline void click(int button, int x, int y, int times = 1) {
  for (int i = 0; i < times; i++) mouse_3d(button, 0, x, y), mouse_3d(button, 1, x, y);
}

// Several values compared in one expectation, all shown when it fails.
template <class... T>
std::vector<double> state(T... v) {
  return {static_cast<double>(v)...};
}
