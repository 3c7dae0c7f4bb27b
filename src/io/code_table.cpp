// Placeholder: the persistence work fills these in.
#include "io/code_table.h"

#include <cstring>

CodeEntry CodeTable[MAX_CODES];
int code_count = 0;
char code_file[200];

void clear_code_table() {}
void load_code_file(const char*) {}
void reset_code_table() {
  std::memset(CodeTable, 0, sizeof CodeTable);
  std::strcpy(CodeTable[0].code_name, "no code");
  CodeTable[0].line_count = 1;
  std::strcpy(CodeTable[0].code_lines[0],
              "Surface \"plastic\" \"Kd\" [0.8] \"Ka\" [0.1] \n");
  code_count = 0;
  code_file[0] = '\0';
}
