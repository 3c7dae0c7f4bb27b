// Writing session files and the automatic backups.
#include "io/session.h"

#include <cstring>
#include <string>

#include "app/scene.h"
#include "io/code_table.h"
#include "io/file_util.h"

// The name a record is written under: an emptied name would vanish from the
// file and shift every value after it, so it falls back to the record's
// default name.
static void write_name(std::FILE* out, int index, const ObjectRecord& r) {
  static const char* const light_names[LIGHT_COUNT] = {"ambient", "light0", "light1",
                                                       "light2",  "light3", "light4"};
  const std::size_t len = strnlen(r.name, MAX_NAME_LEN);
  if (len > 0) {
    // Written literally; a blank inside would split the word, so it becomes '_'.
    for (std::size_t k = 0; k < len; k++) {
      const char c = r.name[k];
      std::fputc(c == ' ' || c == '\t' || c == '\n' || c == '\r' ? '_' : c, out);
    }
  } else if (index < LIGHT_COUNT) {
    std::fputs(light_names[index], out);
  } else {
    const char* t = type_name(r.surfacetype);
    std::fputs(t[0] ? t : "object", out);
  }
  std::fputs(" \n", out);
}

static void write_record(std::FILE* out, int index, const ObjectRecord& r) {
  write_name(out, index, r);
  std::fprintf(out, "%2d %2d \n", r.order, r.knots);
  std::fprintf(out, "%3.2f %3.2f %3.2f %3.2f  \n", r.color[0], r.color[1], r.color[2], r.color[3]);
  std::fprintf(out, "%3.2f %3.2f       \n", r.base[0], r.base[1]);
  std::fprintf(out, "%3.1f %3.1f %3.1f %3.1f  \n", r.position[0], r.position[1], r.position[2],
               r.position[3]);
  std::fprintf(out, " %4d %4d %4d     \n", r.angles[0], r.angles[1], r.angles[2]);
  std::fprintf(out, " %3.2f %3.2f %3.2f  \n", r.scales[0], r.scales[1], r.scales[2]);
  std::fprintf(out, "%2d     \n", r.surfacetype);
  std::fprintf(out, "%3.2f %3.2f %3.2f  %3.2f   \n", r.pick[0], r.pick[1], r.intensity, r.shine);
  int silend = r.silend;
  if (silend < -1) silend = -1;
  if (silend > MAX_SIL_POINTS - 1) silend = MAX_SIL_POINTS - 1;
  std::fprintf(out, "%2d          \n", silend);
  for (int k = 0; k <= silend; k++)
    std::fprintf(out, "%4.2f %4.2f %4.2f %4.2f \n", r.silpix[k][0], r.silpix[k][1], r.sil[k][0],
                 r.sil[k][1]);
  std::fputs(" \n", out);
}

// The bindings, then the current code file byte for byte. When that file
// cannot be read the entries in memory are written instead, so the bindings
// still name the code they were made with.
static void write_trailer(std::FILE* out) {
  for (int i = 0; i < MAX_RECORDS; i++) {
    std::fprintf(out, "%3d", CodeBindingTable[i]);
    if (i % 10 == 9 || i == MAX_RECORDS - 1) std::fputs(" \n", out);
  }
  std::string text, why;
  if (code_file[0] && read_whole_file(code_file, text, why)) {
    std::fwrite(text.data(), 1, text.size(), out);
    return;
  }
  if (code_file[0])
    std::fprintf(stderr, "%s: %s; saving the code entries held in memory\n",
                 printable(code_file).c_str(), why.c_str());
  write_code_entries(CodeTable, code_count, out);
}

bool write_session(std::FILE* out) {
  int last = last_record;
  if (last < LAST_LIGHT) last = LAST_LIGHT;
  if (last > LAST_INDEX) last = LAST_INDEX;
  std::fprintf(out, "version  %2d \n", 1);
  std::fprintf(out, " %2d   \n", last);
  std::fprintf(out, "%2d %2d %2d %2d %2d %2d \n", light_on[0], light_on[1], light_on[2],
               light_on[3], light_on[4], light_on[5]);
  for (int i = 0; i <= last; i++) write_record(out, i, ObjectTable[i]);
  if (code_count > 0) write_trailer(out);
  return !std::ferror(out);
}

static void write_session_file(std::FILE* out) { write_session(out); }

bool save_session(const char* file_name) { return replace_file(file_name, write_session_file); }

// The backups have names of our own in whatever directory the user browsed
// to: a link planted under such a name is replaced, never written through.
void save_backup() { replace_file(BACKUP_FILE, write_session_file, LinkPolicy::REPLACE); }
void save_safety_net() { replace_file(SAFETY_NET_FILE, write_session_file, LinkPolicy::REPLACE); }
