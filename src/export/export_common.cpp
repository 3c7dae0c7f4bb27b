#include "export/export_common.h"

#include <cstring>

#include "render/nurbUtil.h"

bool is_silhouette_type(int type) { return type >= TYPE_REVOLUTION && type <= TYPE_BFACE; }

bool silhouette_usable(const ObjectRecord& rec) {
  if (rec.order != 3 && rec.order != 4) return false;
  if (rec.knots != 0 && rec.knots != 1) return false;
  if (rec.silend < 0 || rec.silend >= MAX_SIL_POINTS) return false;
  return rec.silend + 1 >= rec.order;
}

bool silhouette_closed(const ObjectRecord& rec) {
  if (rec.silend < 0 || rec.silend >= MAX_SIL_POINTS) return false;
  const float* first = rec.sil[0];
  const float* last = rec.sil[rec.silend];
  return end_gap(first[0], first[1], last[0], last[1]) < closed_gap;
}

const CodeEntry* bound_code(int record) {
  if (record < 0 || record >= MAX_RECORDS) return nullptr;
  int b = CodeBindingTable[record];
  if (b < 0 || b >= MAX_CODES) return nullptr;
  return &CodeTable[b];
}

int code_line_count(const CodeEntry* entry) {
  if (entry == nullptr || entry->line_count <= 0) return 0;
  return entry->line_count < MAX_CODE_LINES ? entry->line_count : MAX_CODE_LINES;
}

void write_code_lines(FILE* out, const CodeEntry* entry) {
  int count = code_line_count(entry);
  for (int i = 0; i < count; i++) {
    const char* line = entry->code_lines[i];
    std::fwrite(line, 1, strnlen(line, CODE_LINE_SIZE), out);
  }
}
