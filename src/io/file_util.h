// File helpers of the readers and writers: whole-file reads, absolute paths,
// and writes that replace a file only once the new content is complete.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

// Reads the whole file into out; on failure sets why and returns false.
bool read_whole_file(const char* path, std::string& out, std::string& why);

// The path made absolute against the working directory; false when it does
// not fit into size bytes or the working directory is unknown.
bool absolute_path(const char* path, char* out, std::size_t size);

// A file written under a temporary name in the target's directory and renamed
// over the target by commit(). Until then the old file stays untouched; an
// uncommitted writer removes its temporary file. A link is followed to the
// file it names, and a file that may not be written is refused.
class ReplacingFile {
 public:
  ReplacingFile() = default;
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;
  ~ReplacingFile() { discard(); }

  // Creates the temporary file; false (with why) when it cannot.
  bool open(const char* target, std::string& why);
  std::FILE* file() const { return fp_; }
  // Flushes, closes and renames; false (with why, temporary file removed)
  // when any write failed.
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
bool replace_file(const char* file_name, void (*write)(std::FILE*));
