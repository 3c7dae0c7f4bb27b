// The file browser's state and its answers to clicks and keys.
#include "browser/browser.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "app/window.h"
#include "browser/listing.h"
#include "export/gl_program.h"
#include "export/rib.h"
#include "io/code_table.h"
#include "io/file_util.h"
#include "io/session.h"

char home_dir[DIR_SIZE];
char current_dir[DIR_SIZE];
char ses_save_dir[DIR_SIZE];
char ses_load_dir[DIR_SIZE];
char c_dir[DIR_SIZE];
char rib_dir[DIR_SIZE];
char code_dir[DIR_SIZE];
char file_name[DIR_SIZE];
char saved_home[DIR_SIZE];
int browser_open;
int browse_load_ses;
int browse_save_ses;
int browse_save_rib;
int browse_save_c;
int browse_load_code;
int browse_home;

int sel_entry;
int list_top;
int updir_pressed;
int home_pressed;
int ask_overwrite;
int no_such_file;
int read_failed;
int write_failed;
int no_such_dir;
// Far in the past, so that the first press is never a double click.
constexpr double NO_CLICK = -1.0e9;
double last_click_time;

// The directory the listing table was last built from.
static char listed_dir[DIR_SIZE];

constexpr int KEY_BACKSPACE = 8;
constexpr int KEY_PAGE_UP = 104;    // GLUT_KEY_PAGE_UP
constexpr int KEY_PAGE_DOWN = 105;  // GLUT_KEY_PAGE_DOWN

static void copy_text(char* dst, const char* src) { std::snprintf(dst, DIR_SIZE, "%s", src); }

static double now_seconds() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

static bool is_save_mode() { return browse_save_ses || browse_save_rib || browse_save_c; }
static bool is_load_mode() { return browse_load_ses || browse_load_code; }

static void clear_notices() { no_such_file = read_failed = write_failed = no_such_dir = 0; }

static void show_notice(int* flag) {
  clear_notices();
  *flag = 1;
}

// Re-reads the working directory into current_dir; false (message on
// stderr, current_dir kept) when it does not fit the buffer or is gone.
static bool read_working_dir() {
  char cwd[DIR_SIZE];
  if (!getcwd(cwd, sizeof cwd)) {
    if (errno == ERANGE)
      std::fprintf(stderr, "working directory path longer than %d characters\n", DIR_SIZE - 1);
    else
      std::fprintf(stderr, "working directory: %s\n", std::strerror(errno));
    return false;
  }
  copy_text(current_dir, cwd);
  return true;
}

void update_listing() {
  read_working_dir();
  // A directory that can be entered but not read shows empty: rows of the
  // previous one would act on names that are not here.
  if (!list_directory(current_dir)) clear_listing();
  copy_text(listed_dir, current_dir);
}

// Changes the working directory to target and re-reads current_dir. A
// directory whose path does not fit the buffers is refused: the browser
// goes back where it was.
static bool change_dir(const char* target) {
  int back = open(".", O_RDONLY | O_DIRECTORY);
  bool ok = chdir(target) == 0;
  if (!ok) std::fprintf(stderr, "%s: %s\n", printable(target).c_str(), std::strerror(errno));
  if (ok && !read_working_dir()) {
    ok = false;
    if (back >= 0 && fchdir(back) != 0) std::fprintf(stderr, "cannot return to %s\n", current_dir);
  }
  if (back >= 0) close(back);
  if (ok) update_listing();
  return ok;
}

// Appends ext unless the name contains it anywhere; false when it does not fit.
static bool add_extension(char* name, const char* ext) {
  if (std::strstr(name, ext)) return true;
  size_t len = std::strlen(name);
  if (len + std::strlen(ext) >= DIR_SIZE) {
    std::fprintf(stderr, "file name too long: %s\n", name);
    return false;
  }
  std::memcpy(name + len, ext, std::strlen(ext) + 1);
  return true;
}

static bool in_listing(const char* name) { return find_entry(name, entry_count) < entry_count; }

// Writes file_name in the current save mode. On success the mode remembers
// the directory and the browser closes; a failure keeps it open with a notice.
static void write_file() {
  bool ok = false;
  char* mode_dir = nullptr;
  if (browse_save_ses) {
    ok = save_session(file_name);
    mode_dir = ses_save_dir;
  } else if (browse_save_rib) {
    ok = write_rib(file_name);
    mode_dir = rib_dir;
  } else if (browse_save_c) {
    ok = write_gl_program(file_name);
    mode_dir = c_dir;
  }
  if (!mode_dir) return;
  if (!ok) {
    show_notice(&write_failed);
    return;
  }
  copy_text(mode_dir, current_dir);
  close_browser();
}

// Loads name in the current load mode; a file the reader refuses shows
// "File cannot be read!" and changes nothing. A session load leaves the
// browser open; a shader code load closes it.
static void read_file(const char* name) {
  char chosen[DIR_SIZE];
  copy_text(chosen, name);
  if (browse_load_ses) {
    if (load_session(chosen)) {
      copy_text(ses_load_dir, current_dir);
      update_listing();  // the load may have written "active.rcf" here
    } else {
      show_notice(&read_failed);
    }
  } else if (browse_load_code) {
    if (!load_code_file(chosen)) {
      show_notice(&read_failed);
      return;
    }
    copy_text(code_dir, current_dir);
    close_browser();
  }
}

// A double click on the name field with nothing selected confirms the typed name.
static void confirm_typed_name() {
  if (is_load_mode()) {
    if (!add_extension(file_name, browse_load_ses ? ".ses" : ".rcf")) return;
    if (!in_listing(file_name))
      show_notice(&no_such_file);
    else
      read_file(file_name);
  } else if (is_save_mode()) {
    if (in_listing(file_name)) {
      ask_overwrite = 1;
      return;
    }
    if (!add_extension(file_name, listing_extension())) return;
    if (in_listing(file_name))
      ask_overwrite = 1;
    else
      write_file();
  }
}

// A press on listing row k.
static void click_row(int k, bool double_click) {
  if (browse_home) return;  // the home mode shows no listing
  if (k < 0 || list_top > MAX_ENTRIES - 1 - k) return;
  int i = list_top + k;
  if (i >= entry_count) return;
  if (i == sel_entry && double_click) {
    if (entry_is_dir[i]) {
      char target[DIR_SIZE];
      copy_text(target, entries[i]);
      if (change_dir(target)) {
        sel_entry = -1;
        list_top = 0;
      }
    } else if (is_load_mode()) {
      read_file(entries[i]);
    } else if (is_save_mode()) {
      ask_overwrite = 1;  // the first press copied the name into the field
    }
    return;
  }
  sel_entry = i;
  if (!entry_is_dir[i]) copy_text(file_name, entries[i]);
}

// " OK " of the home mode keeps the edited home directory when it can be
// entered, stored as an absolute path; the working directory stays.
static void accept_home() {
  int back = open(".", O_RDONLY | O_DIRECTORY);
  if (chdir(home_dir) != 0) {
    std::fprintf(stderr, "%s: %s\n", home_dir, std::strerror(errno));
    show_notice(&no_such_dir);
    if (back >= 0) close(back);
    return;
  }
  char resolved[DIR_SIZE];
  if (getcwd(resolved, sizeof resolved)) copy_text(home_dir, resolved);
  if (back >= 0) {
    if (fchdir(back) != 0) std::fprintf(stderr, "cannot return to %s\n", current_dir);
    close(back);
  }
  close_browser();
}

static void click_buttons(int bx) {
  if (bx > 30 && bx < 75) {
    updir_pressed = 1;
    if (browse_home) {
      accept_home();
    } else {
      if (chdir(current_dir) != 0)
        std::fprintf(stderr, "%s: %s\n", current_dir, std::strerror(errno));
      change_dir("..");
      sel_entry = -1;
      list_top = 0;
    }
  } else if (bx > 225 && bx < 275) {
    home_pressed = 1;
    if (browse_home) copy_text(home_dir, saved_home);
    change_dir(home_dir);
    sel_entry = -1;
    list_top = 0;
    file_name[0] = 0;
  } else if (bx > 125 && bx < 175) {
    if (browse_home) copy_text(home_dir, saved_home);
    close_browser();
  }
}

// The question's and the notices' choices; true when the press was one of them.
static bool click_choices(int bx, int e) {
  if (e < 86 || e >= 100) return false;
  if (ask_overwrite && bx > 50 && bx < 85) {
    ask_overwrite = 0;
    sel_entry = -1;
    write_file();
    return true;
  }
  if (ask_overwrite && bx > 220 && bx < 255) {
    ask_overwrite = 0;
    return true;
  }
  if ((no_such_file || read_failed || write_failed || no_such_dir) && bx > 130 && bx < 165) {
    clear_notices();
    return true;
  }
  return false;
}

void browser_click(int button, int state, int x, int y) {
  if (!browser_open) return;
  int bx = x - win_width / 2;
  int e = y - 15;
  if (left_release(button, state)) {
    if (e >= 48 && e < 70) {
      if (bx > 30 && bx < 75) updir_pressed = 0;
      if (bx > 225 && bx < 275) home_pressed = 0;
    }
    return;
  }
  if (!left_press(button, state)) return;

  double now = now_seconds();
  bool double_click = now - last_click_time <= 1.0;
  last_click_time = now;

  // The rows must be those of the directory the user is in.
  if (!browse_home) {
    read_working_dir();
    if (std::strcmp(listed_dir, current_dir) != 0) update_listing();
  }

  if (click_choices(bx, e)) return;
  if (x > 50 && e > 20 && e < 28) {
    if (sel_entry == -1 && file_name[0] && double_click) confirm_typed_name();
    sel_entry = -1;
    return;
  }
  if (e > 80) {
    click_row((e - 3) / 15 - 5, double_click);
    return;
  }
  if (e >= 48 && e < 67) click_buttons(bx);
}

void open_browser(BrowserMode mode) {
  struct ModeStart {
    int* flag;         // the mode's flag
    const char* name;  // proposed file name
    const char* dir;   // where the mode last succeeded; null: stay, remember home_dir
  };
  const ModeStart starts[] = {{&browse_home, "", nullptr},
                              {&browse_load_ses, "", ses_load_dir},
                              {&browse_save_ses, "untitled.ses", ses_save_dir},
                              {&browse_save_rib, "untitled.rib", rib_dir},
                              {&browse_save_c, "untitled.c", c_dir},
                              {&browse_load_code, "", code_dir}};
  if (mode < BROWSE_HOME || mode > BROWSE_LOAD_CODE) return;
  const ModeStart& start = starts[mode];
  browse_load_ses = browse_save_ses = browse_save_rib = 0;
  browse_save_c = browse_load_code = browse_home = 0;
  *start.flag = 1;
  copy_text(file_name, start.name);
  if (start.dir == nullptr) {
    copy_text(saved_home, home_dir);
  } else if (chdir(start.dir) != 0) {
    std::fprintf(stderr, "%s: %s\n", start.dir, std::strerror(errno));
  }
  if (getcwd(current_dir, DIR_SIZE) == nullptr) current_dir[0] = '\0';
  browser_open = 1;
}

void close_browser() {
  browse_load_ses = browse_save_ses = browse_save_rib = 0;
  browse_save_c = browse_load_code = browse_home = 0;
  browser_open = 0;
  list_top = 0;
  updir_pressed = home_pressed = 0;
  // A question or selection must not carry over into the next opening.
  sel_entry = -1;
  ask_overwrite = 0;
  clear_notices();
  last_click_time = NO_CLICK;
}

static bool allowed_in_name(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.';
}

void browser_key(unsigned char key) {
  char* target = browse_home ? home_dir : file_name;
  size_t limit = browse_home ? DIR_SIZE - 1 : MAX_TYPED_NAME;
  size_t len = std::strlen(target);
  if (key == KEY_BACKSPACE) {
    if (len > 0) target[len - 1] = 0;
    return;
  }
  bool allowed = allowed_in_name(key) || (browse_home && (key == '\\' || key == '/' || key == ':'));
  if (!allowed || len >= limit) return;
  target[len] = static_cast<char>(key);
  target[len + 1] = 0;
}

void browser_scroll(int key) {
  if (key == KEY_PAGE_DOWN && list_top < max_entries) list_top++;
  if (key == KEY_PAGE_UP && list_top > 0) list_top--;
}

void reset_browser() {
  file_name[0] = 0;
  char cwd[DIR_SIZE] = "";
  if (!getcwd(cwd, sizeof cwd)) {
    std::fprintf(stderr, "working directory: %s\n", std::strerror(errno));
    cwd[0] = 0;
  }
  char* dirs[] = {home_dir, current_dir, ses_save_dir, ses_load_dir,
                  c_dir,    rib_dir,     code_dir,     saved_home};
  for (char* d : dirs) copy_text(d, cwd);
  listed_dir[0] = 0;
  close_browser();
  clear_listing();
}
