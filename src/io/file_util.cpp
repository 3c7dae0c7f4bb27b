#include "io/file_util.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

constexpr std::size_t MESSAGE_BYTES = 80;  // bytes of file text a message shows

static bool read_all(int fd, std::string& out, std::string& why) {
  char buf[65536];
  for (;;) {
    const ssize_t n = read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      why = std::string("read error: ") + std::strerror(errno);
      return false;
    }
    if (n == 0) return true;
    // A file that grows while it is read is held to the same limit.
    if (static_cast<long long>(out.size()) + n > MAX_READ_BYTES) {
      why = "larger than 64 MB";
      return false;
    }
    out.append(buf, static_cast<std::size_t>(n));
  }
}

bool read_whole_file(const char* path, std::string& out, std::string& why) {
  // Opened without waiting: a FIFO would otherwise block until a writer came.
  const int fd = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    why = std::strerror(errno);
    return false;
  }
  struct stat st;
  bool ok = false;
  if (fstat(fd, &st) != 0)
    why = std::strerror(errno);
  else if (S_ISDIR(st.st_mode))
    why = "is a directory";
  else if (!S_ISREG(st.st_mode))
    why = "not a regular file";
  else if (st.st_size > MAX_READ_BYTES)
    why = "larger than 64 MB";
  else
    ok = true;
  if (ok) {
    try {
      std::string text;
      text.reserve(static_cast<std::size_t>(st.st_size));
      ok = read_all(fd, text, why);
      if (ok) out.swap(text);
    } catch (const std::bad_alloc&) {
      why = "out of memory";
      ok = false;
    }
  }
  close(fd);
  return ok;
}

bool holds_zero_byte(const std::string& text, std::string& why) {
  const std::size_t at = text.find('\0');
  if (at == std::string::npos) return false;
  const long line = 1 + std::count(text.begin(), text.begin() + static_cast<long>(at), '\n');
  why = "line " + std::to_string(line) + ": a zero byte in the text";
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

// Length of the well-formed UTF-8 sequence at s, or 0 when it is malformed
// or a control character of the upper range, which some terminals obey.
static std::size_t utf8_length(const unsigned char* s, std::size_t n) {
  const unsigned char c = s[0];
  std::size_t len;
  unsigned cp;
  if (c >= 0xC2 && c <= 0xDF) {
    len = 2, cp = c & 0x1Fu;
  } else if (c >= 0xE0 && c <= 0xEF) {
    len = 3, cp = c & 0x0Fu;
  } else if (c >= 0xF0 && c <= 0xF4) {
    len = 4, cp = c & 0x07u;
  } else {
    return 0;
  }
  if (n < len) return 0;
  for (std::size_t k = 1; k < len; k++) {
    if ((s[k] & 0xC0) != 0x80) return 0;
    cp = cp << 6 | (s[k] & 0x3Fu);
  }
  static const unsigned least[5] = {0, 0, 0xA0, 0x800, 0x10000};
  if (cp < least[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

// Appends data with every byte a terminal could act on written as \xNN; in
// quoted text the quote and the backslash are escaped too.
static void append_escaped(std::string& out, const char* data, std::size_t size, bool quote) {
  const unsigned char* s = reinterpret_cast<const unsigned char*>(data);
  std::size_t i = 0;
  while (i < size) {
    const unsigned char c = s[i];
    if (c >= 0x20 && c < 0x7F) {
      if (quote && (c == '"' || c == '\\')) out += '\\';
      out += static_cast<char>(c);
      i++;
      continue;
    }
    const std::size_t len = c >= 0x80 ? utf8_length(s + i, size - i) : 0;
    if (len > 0) {
      out.append(data + i, len);
      i += len;
      continue;
    }
    static const char hex[] = "0123456789ABCDEF";
    out += "\\x";
    out += hex[c >> 4];
    out += hex[c & 15];
    i++;
  }
}

std::string quoted(const char* data, std::size_t size) {
  std::size_t shown = size < MESSAGE_BYTES ? size : MESSAGE_BYTES;
  // The cut never splits a character (of at most four bytes).
  for (int k = 0; k < 3 && shown < size && (static_cast<unsigned char>(data[shown]) & 0xC0) == 0x80;
       k++)
    shown--;
  std::string out = "\"";
  append_escaped(out, data, shown, true);
  out += '"';
  if (shown < size) out += "...";
  return out;
}

std::string printable(const char* name) {
  std::string out;
  if (name) append_escaped(out, name, std::strlen(name), false);
  return out;
}

// Permissions for the new file: those of the file it replaces, or what a
// plain fopen would give under the current umask.
static mode_t new_file_mode(const std::string& target, LinkPolicy links) {
  struct stat st;
  const int found = links == LinkPolicy::FOLLOW ? stat(target.c_str(), &st)
                                                : lstat(target.c_str(), &st);
  if (found == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// The directory part of a path, "." for a bare name.
static std::string directory_of(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool ReplacingFile::open(const char* target, std::string& why, LinkPolicy links) {
  discard();
  target_ = target ? target : "";
  if (target_.empty()) {
    why = "no file name";
    return false;
  }
  if (links == LinkPolicy::FOLLOW) {
    // Replace what opening the name for writing would change: the file a
    // link points to.
    if (char* real = realpath(target_.c_str(), nullptr)) {
      target_ = real;
      std::free(real);
    }
  }
  // Only a file that may be written is replaced; a link of our own name is
  // replaced whatever it points to.
  struct stat st;
  if (lstat(target_.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
      access(target_.c_str(), W_OK) != 0) {
    why = std::strerror(errno);
    return false;
  }
  // The temporary file lives in the same directory, so that rename replaces
  // the target in one step. Its name holds no extension of ours, so no
  // listing shows it if it is ever left behind.
  const std::string pattern = directory_of(target_) + "/.silmod-tmp-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) {
    why = std::strerror(errno);
    return false;
  }
  temp_ = name.data();
  fchmod(fd, new_file_mode(target_, links));
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

// Puts the content of fd on the disk. A file system that cannot sync does
// not make the write fail.
static bool sync_fd(int fd) {
  while (fsync(fd) != 0) {
    if (errno == EINTR) continue;
    return errno == EINVAL || errno == EROFS;
  }
  return true;
}

// Makes the rename itself durable; where a directory cannot be synced the
// file is still complete, so nothing is reported.
static void sync_directory(const std::string& dir) {
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  sync_fd(fd);
  close(fd);
}

bool ReplacingFile::commit(std::string& why) {
  if (!fp_) {
    why = "not open";
    return false;
  }
  errno = 0;
  bool ok = std::fflush(fp_) == 0 && !std::ferror(fp_);
  int err = errno;
  if (ok && !sync_fd(fileno(fp_))) {
    ok = false;
    err = errno;
  }
  if (std::fclose(fp_) != 0 && ok) {
    ok = false;
    err = errno;
  }
  fp_ = nullptr;
  if (ok && std::rename(temp_.c_str(), target_.c_str()) != 0) {
    ok = false;
    err = errno;
  }
  if (ok) sync_directory(directory_of(target_));
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

bool replace_file(const char* file_name, void (*write)(std::FILE*), LinkPolicy links) {
  const std::string name = printable(file_name);
  try {
    ReplacingFile file;
    std::string why;
    if (!file.open(file_name, why, links)) {
      std::fprintf(stderr, "%s: cannot write: %s\n", name.c_str(), why.c_str());
      return false;
    }
    write(file.file());
    if (!file.commit(why)) {
      std::fprintf(stderr, "%s: %s\n", name.c_str(), why.c_str());
      return false;
    }
    return true;
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "%s: out of memory\n", name.c_str());
    return false;
  }
}
