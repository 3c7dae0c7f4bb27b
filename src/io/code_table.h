// Shader code entries read from code files, bound to records for the RIB export.
#pragma once

#include <cstddef>
#include <cstdio>

constexpr int MAX_CODES = 50;         // entries 0..49; 0 is "no code"
constexpr int MAX_CODE_LINES = 40;    // lines an entry
constexpr int CODE_LINE_SIZE = 200;   // bytes a line, so at most 199 characters
constexpr int CODE_NAME_SIZE = 20;    // bytes a name, so at most 19 characters
constexpr int CODE_FILE_SIZE = 4096;  // bytes of the remembered absolute path

struct CodeEntry {
  int line_count;                                   // valid code lines; 0 means empty
  char code_name[CODE_NAME_SIZE];                   // name after "*shader"
  char code_lines[MAX_CODE_LINES][CODE_LINE_SIZE];  // the code, each with its own newline
};

extern CodeEntry CodeTable[MAX_CODES];  // entry 0 fixed: "no code" with the plastic surface
extern int code_count;                  // entries 1..code_count came from the code file
extern char code_file[CODE_FILE_SIZE];  // absolute path of the current code file, "" for none

// Where the parser stands: the entry being filled (0 before the first header)
// and the code lines read for it since its header.
struct CodeParseState {
  int entry = 0;          // index of the current entry
  int lines = 0;          // code lines seen since its header
  bool dropping = false;  // past the last entry the table holds: lines are ignored
};

// Entries 1..49 emptied, code_count 0; entry 0 and the bindings stay.
void clear_code_table();
void clear_code_table(CodeEntry* table);
// One line of a code file (a piece of at most 199 characters as read) into
// table, which is the global CodeTable unless a scratch copy is given.
void parse_code_line(const char* line, CodeParseState& state, CodeEntry* table = CodeTable);
// Parses a whole code section held in memory, split into pieces as a line
// reader of 200-byte buffers would; returns the number of entries defined.
int parse_code_text(const char* data, std::size_t size, CodeEntry* table);
// Replaces entries 1..49 and code_count with the named code file's entries
// and remembers its absolute path. A file that cannot be read, or holds a
// zero byte, leaves the table as it was, prints why on stderr and returns false.
bool load_code_file(const char* file_name);
// Writes the table's entries 1..code_count back as a code file section
// ("*shader NAME", the lines, "*end", then "**end"); false on a write error.
bool write_code_entries(const CodeEntry* table, int count, std::FILE* out);
// Code table back to the start: entry 0 set, no file.
void reset_code_table();
