#include "export/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

static void report(const std::string& name, const char* what, int err) {
  std::fprintf(stderr, "%s: %s: %s\n", name.c_str(), what, std::strerror(err));
}

bool open_output(OutputFile& file, const char* file_name) {
  file = OutputFile();
  if (file_name == nullptr || file_name[0] == '\0') {
    std::fprintf(stderr, "(empty name): no file name given\n");
    return false;
  }
  file.target = file_name;
  std::string pattern = file.target + ".XXXXXX";
  std::vector<char> temp(pattern.begin(), pattern.end());
  temp.push_back('\0');
  int fd = mkstemp(temp.data());
  if (fd < 0) {
    report(file.target, "cannot create file", errno);
    return false;
  }
  file.temp_name = temp.data();
  // mkstemp makes the file private; give it the mode a plain fopen would.
  mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  file.out = fdopen(fd, "w");
  if (file.out == nullptr) {
    report(file.target, "cannot write file", errno);
    close(fd);
    unlink(file.temp_name.c_str());
    return false;
  }
  return true;
}

bool commit_output(OutputFile& file) {
  if (file.out == nullptr) return false;
  bool failed = std::ferror(file.out) != 0;
  int err = failed ? EIO : 0;
  if (std::fflush(file.out) != 0 && !failed) {
    failed = true;
    err = errno;
  }
  if (std::fclose(file.out) != 0 && !failed) {
    failed = true;
    err = errno;
  }
  file.out = nullptr;
  if (!failed && std::rename(file.temp_name.c_str(), file.target.c_str()) != 0) {
    failed = true;
    err = errno;
  }
  if (failed) {
    report(file.target, "cannot write file", err);
    unlink(file.temp_name.c_str());
    return false;
  }
  return true;
}

void discard_output(OutputFile& file) {
  if (file.out != nullptr) std::fclose(file.out);
  file.out = nullptr;
  if (!file.temp_name.empty()) unlink(file.temp_name.c_str());
}
