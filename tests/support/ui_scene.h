// A fresh scene for the tests of the panels, the browser and the input: n
// objects (records 6 to 5 + n, the last one current) in a 600 x 500
// "display" window, run in an empty directory where backups land.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "support/resets.h"

template <int n = 0>
struct UiScene : ::testing::Test {
  std::filesystem::path old = std::filesystem::current_path(), dir;
  void SetUp() override {
    char templ[] = "/tmp/silmod-ui-XXXXXX";
    ASSERT_NE(mkdtemp(templ), nullptr);
    std::filesystem::current_path(dir = std::filesystem::canonical(templ));
    reset_panels_layer();
    win_width = 600, win_height = 500;
    for (int i = 0; i < n; i++) create_object();
  }
  void TearDown() override {
    std::filesystem::current_path(old);
    std::filesystem::remove_all(dir);
  }
};

// Whether a handler wrote the file; it is removed for the next check.
inline bool written(const char* file) { return std::filesystem::remove(file); }
