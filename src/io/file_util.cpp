#include "io/file_util.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

bool read_whole_file(const char* path, std::string& out, std::string& why) {
  std::FILE* fp = std::fopen(path, "rb");
  if (!fp) {
    why = std::strerror(errno);
    return false;
  }
  out.clear();
  char buf[8192];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, fp)) > 0) out.append(buf, n);
  const bool failed = std::ferror(fp) != 0;
  const int err = errno;
  std::fclose(fp);
  if (failed) {
    why = std::string("read error: ") + std::strerror(err);
    return false;
  }
  return true;
}

bool absolute_path(const char* path, char* out, std::size_t size) {
  if (!path || !path[0] || size == 0) return false;
  std::string full;
  if (path[0] == '/') {
    full = path;
  } else {
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd)) return false;
    full = cwd;
    if (full.empty() || full.back() != '/') full += '/';
    full += path;
  }
  if (full.size() >= size) return false;
  std::memcpy(out, full.c_str(), full.size() + 1);
  return true;
}

// Permissions for the new file: those of the file it replaces, or what a
// plain fopen would give under the current umask.
static mode_t target_mode(const std::string& target) {
  struct stat st;
  if (stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

bool ReplacingFile::open(const char* target, std::string& why) {
  discard();
  target_ = target ? target : "";
  if (target_.empty()) {
    why = "no file name";
    return false;
  }
  // Replace what opening the name for writing would change: the file a link
  // points to, and only a file that may be written.
  if (char* real = realpath(target_.c_str(), nullptr)) {
    target_ = real;
    std::free(real);
    if (access(target_.c_str(), W_OK) != 0) {
      why = std::strerror(errno);
      return false;
    }
  }
  // The temporary file lives in the same directory so that rename replaces
  // the target in one step.
  const std::size_t slash = target_.rfind('/');
  const std::string dir = slash == std::string::npos ? "" : target_.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? target_ : target_.substr(slash + 1);
  if (base.empty()) {
    why = "not a file name";
    return false;
  }
  std::string pattern = dir + "." + base + ".XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = mkstemp(name.data());
  if (fd < 0) {
    why = std::strerror(errno);
    return false;
  }
  temp_ = name.data();
  fchmod(fd, target_mode(target_));
  fp_ = fdopen(fd, "w");
  if (!fp_) {
    why = std::strerror(errno);
    close(fd);
    std::remove(temp_.c_str());
    temp_.clear();
    return false;
  }
  return true;
}

bool ReplacingFile::commit(std::string& why) {
  if (!fp_) {
    why = "not open";
    return false;
  }
  errno = 0;
  bool ok = std::fflush(fp_) == 0 && !std::ferror(fp_);
  int err = errno;
  if (std::fclose(fp_) != 0 && ok) {
    ok = false;
    err = errno;
  }
  fp_ = nullptr;
  if (ok && std::rename(temp_.c_str(), target_.c_str()) != 0) {
    ok = false;
    err = errno;
  }
  if (!ok) {
    why = err ? std::string("write error: ") + std::strerror(err) : "write error";
    std::remove(temp_.c_str());
  }
  temp_.clear();
  return ok;
}

void ReplacingFile::discard() {
  if (fp_) {
    std::fclose(fp_);
    fp_ = nullptr;
  }
  if (!temp_.empty()) {
    std::remove(temp_.c_str());
    temp_.clear();
  }
}

bool replace_file(const char* file_name, void (*write)(std::FILE*)) {
  const char* name = file_name ? file_name : "";
  ReplacingFile file;
  std::string why;
  if (!file.open(name, why)) {
    std::fprintf(stderr, "%s: cannot write: %s\n", name, why.c_str());
    return false;
  }
  write(file.file());
  if (!file.commit(why)) {
    std::fprintf(stderr, "%s: %s\n", name, why.c_str());
    return false;
  }
  return true;
}
