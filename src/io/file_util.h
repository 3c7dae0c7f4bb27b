// File helpers of the readers and writers: whole-file reads that refuse what
// is not a plain file, absolute paths, text from files made safe to print,
// and writes that replace a file only once the new content is complete.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

// Largest file a reader takes: a full session is under a megabyte plus its
// code section, so anything bigger is not one of ours.
constexpr long long MAX_READ_BYTES = 64LL * 1024 * 1024;

// Reads the whole file into out. Refused, with why set: a file that cannot
// be opened, anything that is not a regular file (a FIFO or a device is
// never waited on), a file over MAX_READ_BYTES, a read error, lack of memory.
bool read_whole_file(const char* path, std::string& out, std::string& why);

// Whether text holds a zero byte, which no text format of ours carries; why
// then names its line.
bool holds_zero_byte(const std::string& text, std::string& why);

// The path made absolute against the working directory; false when it does
// not fit into size bytes or the working directory is unknown.
bool absolute_path(const char* path, char* out, std::size_t size);

// Text from a file as a message may show it: in double quotes, control bytes
// and malformed UTF-8 as \xNN, cut after about 80 bytes with "...".
std::string quoted(const char* data, std::size_t size);
inline std::string quoted(const std::string& s) { return quoted(s.data(), s.size()); }
// A file name as a message may show it: the same escapes, no quotes, not cut.
std::string printable(const char* name);

// What replacing a file does with a symbolic link of the target's name.
enum class LinkPolicy {
  FOLLOW,   // replace the file the link names, as writing to the name would
  REPLACE,  // replace the link itself; its target is never written
};

// A file written under a temporary name in the target's directory and renamed
// over the target by commit(). Until then the old file stays untouched; an
// uncommitted writer removes its temporary file. A target that is a regular
// file that may not be written is refused.
class ReplacingFile {
 public:
  ReplacingFile() = default;
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;
  ~ReplacingFile() { discard(); }

  // Creates the temporary file; false (with why) when it cannot.
  bool open(const char* target, std::string& why, LinkPolicy links = LinkPolicy::FOLLOW);
  std::FILE* file() const { return fp_; }
  // Flushes the new file to disk, renames it over the target and flushes the
  // directory; false (with why, temporary file removed) when a write failed.
  bool commit(std::string& why);
  // Drops the temporary file.
  void discard();

 private:
  std::FILE* fp_ = nullptr;
  std::string target_;
  std::string temp_;
};

// Writes a file through write(), replacing the old one only once the new one
// is complete; false, with "NAME: what went wrong" on stderr, on failure.
bool replace_file(const char* file_name, void (*write)(std::FILE*),
                  LinkPolicy links = LinkPolicy::FOLLOW);
