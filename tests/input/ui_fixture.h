// A fresh scene in a 600 x 500 "display" window, run inside an empty
// directory under /tmp where the handlers' backup files land.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "app/scene.h"
#include "app/startup.h"
#include "app/window.h"
#include "input/input.h"

struct UiTest : ::testing::Test {
  std::filesystem::path old = std::filesystem::current_path(), dir;
  void SetUp() override {
    char templ[] = "/tmp/silmod-ui-XXXXXX";
    ASSERT_NE(mkdtemp(templ), nullptr);
    dir = std::filesystem::canonical(templ);
    std::filesystem::current_path(dir);
    reset_all();
    win_width = 600;
    win_height = 500;
  }
  void TearDown() override {
    std::filesystem::current_path(old);
    std::filesystem::remove_all(dir);
  }
};

inline bool has(const char* file) { return std::filesystem::exists(file); }

// Presses and releases a button through the window's mouse callback.
inline void click(int button, int x, int y, int times = 1) {
  for (int i = 0; i < times; i++) {
    mouse_3d(button, 0, x, y);
    mouse_3d(button, 1, x, y);
  }
}
