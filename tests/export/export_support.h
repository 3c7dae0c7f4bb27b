// Scene building and text capture for the exporter tests.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "app/scene.h"
#include "io/code_table.h"
#include "io/scratch_dir.h"

using Points = std::vector<std::pair<float, float>>;

// A fresh scene for each test.
struct FreshScene : ::testing::Test {
  void SetUp() override { reset_all(); }
};

// What a writer puts on a stream.
inline std::string capture(void (*write)(FILE*)) {
  char* data = nullptr;
  size_t size = 0;
  FILE* out = open_memstream(&data, &size);
  write(out);
  std::fclose(out);
  std::string text(data, size);
  std::free(data);
  return text;
}

// Appends an object with a silhouette given in model units.
inline int add_object(int type, const Points& points = {}, int order = 3, int knots = 0) {
  new_type = type;
  create_object();
  ObjectRecord& r = ObjectTable[current_record];
  r.silend = static_cast<int>(points.size()) - 1;
  for (size_t k = 0; k < points.size(); k++) {
    r.sil[k][0] = points[k].first;
    r.sil[k][1] = points[k].second;
    r.silpix[k][0] = points[k].first * 20;
    r.silpix[k][1] = points[k].second * 20;
  }
  r.order = order;
  r.knots = knots;
  return current_record;
}

// Gives code entry e the lines, each with its newline.
inline void set_code(int e, const std::vector<const char*>& lines) {
  CodeTable[e].line_count = static_cast<int>(lines.size());
  for (size_t i = 0; i < lines.size(); i++)
    std::snprintf(CodeTable[e].code_lines[i], CODE_LINE_SIZE, "%s\n", lines[i]);
  if (code_count < e) code_count = e;
}

inline int count_of(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) n++;
  return n;
}

inline bool has(const std::string& text, const std::string& what) {
  return text.find(what) != std::string::npos;
}

// A closed square outline and an open zig-zag, in model units.
inline Points square() { return {{1, 1}, {3, 1}, {3, 3}, {1, 3}, {1, 1}}; }
inline Points zigzag() { return {{0, 0}, {1, 2}, {2, 0}, {3, 2}, {4, 0}}; }
