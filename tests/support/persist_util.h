// Scratch directories, files and scene building for the session, code file
// and exporter tests.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/scene.h"
#include "io/code_table.h"
#include "support/resets.h"

namespace fs = std::filesystem;
using Points = std::vector<std::pair<float, float>>;

inline std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}
inline void write_file(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}
inline int count_of(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) n++;
  return n;
}
inline bool has(const std::string& t, const std::string& part) { return count_of(t, part) > 0; }
// What f prints on stderr.
template <typename F>
std::string stderr_of(F f) {
  testing::internal::CaptureStderr();
  f();
  return testing::internal::GetCapturedStderr();
}

// Appends an object with a silhouette given in model units; its index.
inline int add_object(int type, const Points& points = {}, int order = 3, int knots = 0) {
  new_type = type;
  create_object();
  ObjectRecord& r = ObjectTable[current_record];
  r.silend = static_cast<int>(points.size()) - 1;
  for (size_t k = 0; k < points.size(); k++) {
    r.sil[k][0] = points[k].first, r.sil[k][1] = points[k].second;
    r.silpix[k][0] = points[k].first * 20, r.silpix[k][1] = points[k].second * 20;
  }
  r.order = order, r.knots = knots;
  return current_record;
}
inline const Points SQUARE = {{1, 1}, {3, 1}, {3, 3}, {1, 3}, {1, 1}};
inline const Points ZIGZAG = {{0, 0}, {1, 2}, {2, 0}, {3, 2}, {4, 0}};

inline void load_codes(const std::string& text) {
  write_file("codes.rcf", text);
  ASSERT_TRUE(load_code_file("codes.rcf"));
}

// A fresh scene, run in an empty directory of its own.
struct ScratchDir : ::testing::Test {
  void SetUp() override {
    char pattern[] = "/tmp/silmod_io_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    fs::current_path(dir_);
    reset_io_layer();
  }
  void TearDown() override {
    fs::current_path(old_);
    fs::remove_all(dir_);
  }
  std::string dir_;
  fs::path old_ = fs::current_path();
};
