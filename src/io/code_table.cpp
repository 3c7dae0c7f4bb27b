#include "io/code_table.h"

#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "io/file_util.h"

CodeEntry CodeTable[MAX_CODES];
int code_count = 0;
char code_file[CODE_FILE_SIZE];

static const char PLASTIC_LINE[] = "Surface \"plastic\" \"Kd\" [0.8] \"Ka\" [0.1] \n";

void clear_code_table(CodeEntry* table) {
  for (int k = 1; k < MAX_CODES; k++) std::memset(&table[k], 0, sizeof table[k]);
}

void clear_code_table() {
  clear_code_table(CodeTable);
  code_count = 0;
}

void reset_code_table() {
  std::memset(CodeTable, 0, sizeof CodeTable);
  std::strcpy(CodeTable[0].code_name, "no code");
  CodeTable[0].line_count = 1;
  std::strcpy(CodeTable[0].code_lines[0], PLASTIC_LINE);
  code_count = 0;
  code_file[0] = '\0';
}

static bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The first word after "*shader", cut to the name size. Anything else that
// begins with "*shad" gives an empty name.
static void read_code_name(const char* line, char* name) {
  name[0] = '\0';
  if (std::strncmp(line, "*shader", 7) != 0 || !is_blank(line[7])) return;
  const char* p = line + 7;
  while (*p && is_blank(*p)) p++;
  int n = 0;
  while (p[n] && !is_blank(p[n]) && n < CODE_NAME_SIZE - 1) {
    name[n] = p[n];
    n++;
  }
  name[n] = '\0';
}

void parse_code_line(const char* line, CodeParseState& st, CodeEntry* table) {
  if (std::strncmp(line, "*shad", 5) == 0) {
    if (st.entry >= MAX_CODES - 1) {
      st.dropping = true;  // the table is full: this entry is not kept
      return;
    }
    st.entry++;
    st.lines = 0;
    read_code_name(line, table[st.entry].code_name);
    return;
  }
  // Lines before the first header, or of an entry past the table, belong to
  // no entry; entry 0 is never written.
  if (st.entry == 0 || st.dropping) return;
  CodeEntry& e = table[st.entry];
  if (std::strncmp(line, "*end", 4) == 0) {
    e.line_count = st.lines;
    return;
  }
  if (std::strncmp(line, "**end", 5) == 0) return;
  // A code line; one longer than a table line continues on the next ones.
  std::size_t len = std::strlen(line);
  do {
    if (st.lines >= MAX_CODE_LINES) return;
    const std::size_t n = len < CODE_LINE_SIZE - 1 ? len : CODE_LINE_SIZE - 1;
    std::memcpy(e.code_lines[st.lines], line, n);
    e.code_lines[st.lines][n] = '\0';
    st.lines++;
    line += n;
    len -= n;
  } while (len > 0);
}

int parse_code_text(const char* data, std::size_t size, CodeEntry* table) {
  CodeParseState st;
  char piece[CODE_LINE_SIZE];
  std::size_t pos = 0;
  while (pos < size) {
    std::size_t n = 0;
    while (pos + n < size && n < CODE_LINE_SIZE - 1) {
      piece[n] = data[pos + n];
      n++;
      if (piece[n - 1] == '\n') break;
    }
    piece[n] = '\0';
    pos += n;
    parse_code_line(piece, st, table);
  }
  return st.entry;
}

bool load_code_file(const char* file_name) {
  const std::string name = printable(file_name);
  if (!file_name || !file_name[0]) {
    std::fprintf(stderr, "code file: no file name\n");
    return false;
  }
  char path[CODE_FILE_SIZE];
  if (!absolute_path(file_name, path, sizeof path)) {
    std::fprintf(stderr, "%s: path too long\n", name.c_str());
    return false;
  }
  // Parsed into a scratch table: the current one changes only once the
  // whole file was read. A zero byte would cut its line short in the table,
  // and written back that line would run into the next one: refused.
  try {
    std::string text, why;
    if (!read_whole_file(path, text, why) || holds_zero_byte(text, why)) {
      std::fprintf(stderr, "%s: %s\n", name.c_str(), why.c_str());
      return false;
    }
    auto scratch = std::make_unique<CodeEntry[]>(MAX_CODES);
    const int count = parse_code_text(text.data(), text.size(), scratch.get());
    for (int k = 1; k < MAX_CODES; k++) CodeTable[k] = scratch[k];
    code_count = count;
    std::memcpy(code_file, path, std::strlen(path) + 1);
    return true;
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "%s: out of memory\n", name.c_str());
    return false;
  }
}

bool write_code_entries(const CodeEntry* table, int count, std::FILE* out) {
  if (count > MAX_CODES - 1) count = MAX_CODES - 1;
  for (int k = 1; k <= count; k++) {
    const CodeEntry& e = table[k];
    std::fputs("*shader ", out);
    std::fwrite(e.code_name, 1, strnlen(e.code_name, CODE_NAME_SIZE - 1), out);
    std::fputc('\n', out);
    const int lines = e.line_count < MAX_CODE_LINES ? e.line_count : MAX_CODE_LINES;
    for (int i = 0; i < lines; i++) {
      const std::size_t n = strnlen(e.code_lines[i], CODE_LINE_SIZE - 1);
      std::fwrite(e.code_lines[i], 1, n, out);
      // A last line without its line end must not run into "*end"; a piece
      // cut off at the line limit needs none, as the reader cuts there too.
      if (i == lines - 1 && n < CODE_LINE_SIZE - 1 && (n == 0 || e.code_lines[i][n - 1] != '\n'))
        std::fputc('\n', out);
    }
    std::fputs("*end\n", out);
  }
  std::fputs("**end\n", out);
  return !std::ferror(out);
}
