// Shader code entries read from code files, bound to records for the RIB export.
#pragma once

constexpr int MAX_CODES = 50;        // entries 0..49; 0 is "no code"
constexpr int MAX_CODE_LINES = 40;   // lines an entry
constexpr int CODE_LINE_SIZE = 200;  // bytes a line
constexpr int CODE_NAME_SIZE = 20;   // bytes a name

struct CodeEntry {
  char code_name[CODE_NAME_SIZE];                   // name after "*shader"
  int line_count;                                   // lines in use
  char code_lines[MAX_CODE_LINES][CODE_LINE_SIZE];  // the code, each ending in a newline
};

extern CodeEntry CodeTable[MAX_CODES];  // entry 0 fixed: "no code" with the plastic surface
extern int code_count;                  // entries read from the code file
extern char code_file[200];             // the code file last loaded

void clear_code_table();
void load_code_file(const char* file_name);
// Code table back to the start: entry 0 set, no file.
void reset_code_table();
