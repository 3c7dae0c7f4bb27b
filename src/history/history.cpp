// The scene's tables watched by a change log, and what an undo or redo must
// set right besides them.
#include "history/history.h"

#include <sys/stat.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/scene.h"
#include "history/change_log.h"
#include "io/code_table.h"
#include "io/file_util.h"
#include "io/session.h"

namespace {

ChangeLog scene_log;
int records_region = 0;  // the ObjectTable's region in scene_log

// What is known of the code file on disk when its text was last read: a file
// replaced by a new one has a new inode, size or time.
struct FileStamp {
  bool exists = false;
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  long long mtime_ns = 0;
  bool operator==(const FileStamp& o) const {
    return exists == o.exists && device == o.device && inode == o.inode && size == o.size &&
           mtime_ns == o.mtime_ns;
  }
};
std::string stamped_path;  // file the stamp belongs to
FileStamp stamp;

FileStamp stamp_of(const char* path) {
  FileStamp s;
  struct stat st;
  if (stat(path, &st) != 0) return s;
  s.exists = true;
  s.device = st.st_dev;
  s.inode = st.st_ino;
  s.size = st.st_size;
  s.mtime_ns = st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
  return s;
}

// Whether the current code file is the program's own copy of a session's code
// section. A save copies the code file into the session, so the history keeps
// that copy's text; a code file the user chose is never written.
bool code_file_is_session_copy() {
  const std::size_t len = strnlen(code_file, CODE_FILE_SIZE);
  if (len == CODE_FILE_SIZE) return false;
  const char* slash = std::strrchr(code_file, '/');
  return std::strcmp(slash ? slash + 1 : code_file, ACTIVE_CODE_FILE) == 0;
}

// The text of the program's copy of the code section as it is now; read
// again only when the file was replaced since it was last read.
SharedText present_code_text() {
  if (!code_file_is_session_copy()) return nullptr;
  const FileStamp now = stamp_of(code_file);
  if (stamped_path == code_file && now == stamp) return scene_log.text();
  stamped_path = code_file;
  stamp = now;
  std::string text, why;
  if (!now.exists || !read_whole_file(code_file, text, why)) return nullptr;
  if (scene_log.text() && *scene_log.text() == text) return scene_log.text();
  return std::make_shared<const std::string>(std::move(text));
}

// After going back or forth: the copy of the code section holds the text of
// the state now present. Nothing is written when it already does.
void put_back_code_text() {
  const SharedText& text = scene_log.text();
  if (!text || !code_file_is_session_copy()) return;
  std::string on_disk, why;
  if (!read_whole_file(code_file, on_disk, why) || on_disk != *text) {
    ReplacingFile out;
    if (out.open(code_file, why, LinkPolicy::REPLACE)) {  // as the session reader writes it
      std::fwrite(text->data(), 1, text->size(), out.file());
      out.commit(why);
    }
  }
  stamped_path = code_file;
  stamp = stamp_of(code_file);
}

// The object list starts within its range and shows the current object.
void keep_list_in_view() {
  const int top = LAST_INDEX - list_rows;
  if (list_first > last_record) list_first = last_record - list_rows;
  if (is_object_index(current_record)) {
    if (current_record < list_first) list_first = current_record;
    if (current_record > list_first + list_rows) list_first = current_record - list_rows;
  }
  if (list_first > top) list_first = top;
  if (list_first < FIRST_OBJECT) list_first = FIRST_OBJECT;
}

void settle() {
  load_edit_buffer();
  keep_list_in_view();
  put_back_code_text();
}

template <class T>
void track(T& value, bool selection = false) {
  scene_log.track(&value, sizeof value, sizeof value, selection);
}

}  // namespace

void reset_history() {
  scene_log = ChangeLog();
  records_region = scene_log.track(ObjectTable, sizeof ObjectTable, sizeof(ObjectRecord));
  track(last_record);
  track(light_on);
  track(light_positional);
  track(ClusterTable);
  track(cluster_mode);
  track(CodeBindingTable);
  scene_log.track(CodeTable, sizeof CodeTable, sizeof(CodeEntry));
  track(code_count);
  track(code_file);
  track(current_record, true);
  scene_log.set_limits(HISTORY_MAX_STEPS, HISTORY_MAX_BYTES);
  stamped_path.clear();
  stamp = FileStamp();
  scene_log.restart(present_code_text());
}

void record_event() {
  const SharedText text = present_code_text();
  // Typing that only renamed: one step for as long as the same record is current.
  const bool renamed = same_text(text, scene_log.text()) &&
                       scene_log.changed_only_within(records_region, offsetof(ObjectRecord, name),
                                                     sizeof(ObjectRecord::name));
  scene_log.record(text, renamed ? current_record : -1);
}

void undo_step() {
  record_event();  // a change not recorded yet is the step to take back
  if (scene_log.undo()) settle();
}

void redo_step() {
  record_event();
  if (scene_log.redo()) settle();
}

std::size_t undo_depth() { return scene_log.undo_steps(); }
std::size_t redo_depth() { return scene_log.redo_steps(); }
std::size_t history_bytes() { return scene_log.bytes(); }

void set_history_limits(std::size_t max_steps, std::size_t max_bytes) {
  scene_log.set_limits(max_steps, max_bytes);
}
