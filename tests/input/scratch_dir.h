// Runs a test inside a fresh directory under /tmp, so that the backup files
// the handlers write land there; the directory is removed afterwards.
#pragma once

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

class ScratchDir {
 public:
  ScratchDir() {
    char cwd[4096];
    if (getcwd(cwd, sizeof cwd)) old_ = cwd;
    char templ[] = "/tmp/silmod-test-XXXXXX";
    if (mkdtemp(templ)) path_ = templ;
    if (!path_.empty() && chdir(path_.c_str()) != 0) path_.clear();
  }
  ~ScratchDir() {
    if (!old_.empty() && chdir(old_.c_str()) != 0) return;
    if (path_.empty()) return;
    if (DIR* d = opendir(path_.c_str())) {
      while (dirent* e = readdir(d)) {
        const std::string n = e->d_name;
        if (n != "." && n != "..") unlink((path_ + "/" + n).c_str());
      }
      closedir(d);
    }
    rmdir(path_.c_str());
  }
  static bool exists(const char* name) {
    struct stat st;
    return stat(name, &st) == 0;
  }

 private:
  std::string old_, path_;
};
