// Runs a test inside a fresh directory under /tmp, where the handlers' backup
// files land; the directory is removed afterwards.
#pragma once

#include <unistd.h>

#include <filesystem>

struct ScratchDir {
  std::filesystem::path old = std::filesystem::current_path(), path;
  ScratchDir() {
    char templ[] = "/tmp/silmod-test-XXXXXX";
    path = mkdtemp(templ);
    std::filesystem::current_path(path);
  }
  ~ScratchDir() {
    std::filesystem::current_path(old);
    std::filesystem::remove_all(path);
  }
  static bool has(const char* name) { return std::filesystem::exists(name); }
};
