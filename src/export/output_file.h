// Output files of the writers: the text goes to a temporary file beside the
// target, which replaces the target only once it is complete, so a failed
// write never leaves a truncated file behind or destroys the old one.
#pragma once

#include <cstdio>
#include <string>

struct OutputFile {
  FILE* out = nullptr;     // stream of the temporary file, null when not open
  std::string target;      // the name the caller asked for
  std::string temp_name;   // the temporary file beside it
};

// Creates the temporary file; false (and a message "NAME: ..." on stderr) when
// it cannot be created.
bool open_output(OutputFile& file, const char* file_name);
// Closes the stream and renames the temporary file over the target; false
// (message on stderr, temporary file removed, target untouched) on any error.
bool commit_output(OutputFile& file);
// Closes and removes the temporary file without touching the target.
void discard_output(OutputFile& file);
