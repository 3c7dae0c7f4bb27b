// Scene building and text capture for the exporter tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/scene.h"
#include "app/startup.h"
#include "io/code_table.h"

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
inline int add_object(int type, const std::vector<std::pair<float, float>>& points = {},
                      int order = 3, int knots = 0) {
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
  for (size_t i = 0; i < lines.size(); i++) {
    std::snprintf(CodeTable[e].code_lines[i], CODE_LINE_SIZE, "%s\n", lines[i]);
  }
  if (code_count < e) code_count = e;
}

inline int count_of(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) n++;
  return n;
}

// The part of text from the first `from` up to (not including) the next `to`.
inline std::string between(const std::string& text, const std::string& from,
                           const std::string& to) {
  size_t a = text.find(from);
  if (a == std::string::npos) return std::string();
  size_t b = text.find(to, a + from.size());
  return text.substr(a, b == std::string::npos ? std::string::npos : b - a);
}

// A closed square outline and an open zig-zag, in model units.
inline std::vector<std::pair<float, float>> square() {
  return {{1, 1}, {3, 1}, {3, 3}, {1, 3}, {1, 1}};
}
inline std::vector<std::pair<float, float>> zigzag() {
  return {{0, 0}, {1, 2}, {2, 0}, {3, 2}, {4, 0}};
}
