#include "fuzz_checks.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/scene.h"
#include "io/code_table.h"
#include "io/file_util.h"
#include "io/session.h"

namespace {

// Every check runs in one scratch directory, on a memory file system where
// there is one, since each save syncs its file to the disk. The working
// directory is the caller's again afterwards: the fuzzer reads its corpus
// by relative paths.
class InScratchDirectory {
 public:
  InScratchDirectory() : back_(open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    const std::string& dir = directory();
    if (back_ < 0 || chdir(dir.c_str()) != 0) {
      std::perror("silmod fuzz scratch directory");
      std::abort();
    }
  }
  ~InScratchDirectory() {
    if (fchdir(back_) != 0) std::abort();
    close(back_);
  }
  InScratchDirectory(const InScratchDirectory&) = delete;
  InScratchDirectory& operator=(const InScratchDirectory&) = delete;

 private:
  // Made on first use, removed when the process exits (the removal is
  // registered after the name, so it runs while the name still exists).
  static const std::string& directory() {
    static const std::string dir = make_directory();
    static const bool removed_at_exit = std::atexit(remove_directory) == 0;
    (void)removed_at_exit;
    return dir;
  }
  static std::string make_directory() {
    const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string pattern = std::string(base) + "/silmod-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data())) {
      std::perror("silmod fuzz scratch directory");
      std::abort();
    }
    return pattern;
  }
  static void remove_directory() {
    std::error_code ignored;
    std::filesystem::remove_all(directory(), ignored);
  }
  int back_;
};

void put_file(const char* name, const std::uint8_t* data, std::size_t size) {
  std::FILE* f = std::fopen(name, "wb");
  if (!f) std::abort();
  if (size > 0) std::fwrite(data, 1, size, f);
  std::fclose(f);
}

std::string file_bytes(const char* name) {
  std::string text, why;
  return read_whole_file(name, text, why) ? text : "(" + why + ")";
}

// Runs f with stderr sent nowhere: the readers explain every refusal.
template <typename F>
bool quietly(F f) {
  std::fflush(stderr);
  const int saved = dup(2);
  const int null = open("/dev/null", O_WRONLY);
  dup2(null, 2);
  close(null);
  const bool result = f();
  std::fflush(stderr);
  dup2(saved, 2);
  close(saved);
  return result;
}

template <typename T>
void append_bytes(std::string& s, const T& v) {
  s.append(reinterpret_cast<const char*>(&v), sizeof v);
}

// Everything a session load may replace, as bytes, into out (whose storage
// is kept from run to run).
void scene_bytes(std::string& out) {
  out.clear();
  append_bytes(out, ObjectTable);
  append_bytes(out, CodeTable);
  append_bytes(out, CodeBindingTable);
  append_bytes(out, light_on);
  append_bytes(out, light_positional);
  append_bytes(out, last_record);
  append_bytes(out, current_record);
  append_bytes(out, code_count);
  append_bytes(out, edit_color);
  append_bytes(out, edit_angles);
  append_bytes(out, edit_scales);
  append_bytes(out, edit_position);
  out += code_file;
  out += '\0';
  out += file_bytes("active.rcf");
}

// Whether the scene is the one `before` recorded.
bool scene_unchanged(const std::string& before) {
  static std::string now;
  scene_bytes(now);
  return now == before;
}

// The meaningful part of the code table: each entry's name and its lines.
std::string code_table_text() {
  std::string s = std::to_string(code_count) + "\n";
  for (int k = 1; k <= code_count && k < MAX_CODES; k++) {
    const CodeEntry& e = CodeTable[k];
    s += "[" + std::string(e.code_name) + "] " + std::to_string(e.line_count) + "\n";
    for (int i = 0; i < e.line_count && i < MAX_CODE_LINES; i++) s += e.code_lines[i] + std::string("|");
  }
  return s;
}

// A scene that differs from every start value, so that a load that
// changed anything shows.
void start_scene() {
  reset_scene();
  reset_code_table();
  std::strcpy(CodeTable[1].code_name, "before");
  CodeTable[1].line_count = 1;
  std::strcpy(CodeTable[1].code_lines[0], "Surface \"before\"\n");
  code_count = 1;
  std::strcpy(code_file, "/nonexistent/before.rcf");
  new_type = TYPE_REVOLUTION;
  create_object();
  ObjectRecord& r = ObjectTable[current_record];
  r.silend = 2;
  for (int k = 0; k <= 2; k++) r.sil[k][0] = r.sil[k][1] = r.silpix[k][0] = r.silpix[k][1] = k + 1.5f;
  r.angles[1] = 45;
  CodeBindingTable[current_record] = 1;
  light_on[4] = 1;
  put_file("active.rcf", reinterpret_cast<const std::uint8_t*>("old code\n"), 9);
}

}  // namespace

std::string check_session_input(const std::uint8_t* data, std::size_t size) {
  InScratchDirectory scratch;
  start_scene();
  put_file("in.ses", data, size);
  static std::string before;
  scene_bytes(before);
  if (!quietly([] { return load_session("in.ses"); }))
    return scene_unchanged(before) ? "" : "a failed load changed the scene";
  if (!save_session("first.ses")) return "the loaded scene could not be saved";
  if (!quietly([] { return load_session("first.ses"); })) return "a saved scene does not load";
  if (!save_session("second.ses")) return "the reloaded scene could not be saved";
  if (file_bytes("first.ses") != file_bytes("second.ses"))
    return "saving, loading and saving again changed the file";
  return "";
}

std::string check_code_input(const std::uint8_t* data, std::size_t size) {
  InScratchDirectory scratch;
  start_scene();
  put_file("in.rcf", data, size);
  static std::string before;
  scene_bytes(before);
  if (!quietly([] { return load_code_file("in.rcf"); }))
    return scene_unchanged(before) ? "" : "a failed load changed the code table";
  const std::string table = code_table_text();
  std::FILE* out = std::fopen("out.rcf", "wb");
  if (!out) return "cannot write out.rcf";
  const bool written = write_code_entries(CodeTable, code_count, out);
  std::fclose(out);
  if (!written) return "the code table could not be written";
  if (!quietly([] { return load_code_file("out.rcf"); })) return "written code does not load";
  if (code_table_text() != table) return "writing and reading the code table changed it";
  return "";
}
