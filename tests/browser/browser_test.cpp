// The directory listing, and the file browser driven through the real mouse
// and keyboard callbacks of the "display" window, in a scratch directory tree.
#include "browser/browser.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

#include "app/scene.h"
#include "app/window.h"
#include "browser/listing.h"
#include "input/input.h"
#include "io/code_table.h"
#include "io/session.h"
#include "support/resets.h"

namespace fs = std::filesystem;
using std::make_tuple;
using namespace std::string_literals;
// Window points of the browser's controls in a 600 x 500 window.
constexpr int FIELD_X = 400, FIELD_Y = 38, BUTTON_Y = 70, UPDIR_X = 350, CLOSE_X = 450,
              HOME_X = 550, CHOICE_Y = 108, YES_X = 360, NO_X = 535, OK_X = 431, ROW_X = 400;

static void press(int x, int y, int times = 1) {
  for (int i = 0; i < times; i++) mouse_3d(0, 0, x, y), mouse_3d(0, 1, x, y);
}
static void type(const char* text) {
  for (const char* c = text; *c; c++) keyboard_3d(static_cast<unsigned char>(*c), 0, 0);
}
static std::string cwd() { return fs::current_path().string(); }
static char first_byte(const char* file) { return static_cast<char>(std::ifstream(file).get()); }

struct Browser : ::testing::Test {
  std::string start = cwd(), root;
  void SetUp() override {
    char tmpl[] = "/tmp/browser_test_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    root = tmpl;
    fs::create_directory(root + "/sub");
    fs::current_path(root);
    reset_input_layer();
    win_width = 600, win_height = 500;
  }
  void TearDown() override {
    fs::current_path(start);
    fs::remove_all(root);
  }
  // What the "i/o menu" does, followed by the frame that lists the directory.
  void open(int* mode, const char* name) {
    fs::current_path(root);
    *mode = browser_open = 1;
    std::snprintf(file_name, DIR_SIZE, "%s", name);
    update_listing();
  }
  // The window y of the listing row that shows name.
  int row_y(const char* name) { return 105 + 15 * (find_entry(name, entry_count) - list_top); }
  // The table read from path as "name name/ ...", directories marked with a slash.
  std::string listed(const std::string& path) {
    EXPECT_TRUE(list_directory(path.c_str()));
    std::string s;
    for (int i = 0; i < entry_count; i++)
      s += std::string(i ? " " : "") + entries[i] + (entry_is_dir[i] ? "/" : "");
    return s;
  }
};

TEST_F(Browser, Listing) {
  for (const char* f : {"b.ses", "a.ses", "A.ses", "notes.txt", "x.session.bak", "scene.rib"})
    std::ofstream{f};
  fs::create_directory("old.ses");
  fs::current_path("sub");
  browse_load_ses = 1;
  // Directories first, each group in byte order; "." and ".." sort first and go;
  // a directory named like a session sorts among the files.
  EXPECT_EQ(listed(root), "sub/ A.ses a.ses b.ses old.ses/ x.session.bak");
  EXPECT_EQ(cwd(), root);  // the listed directory is the working directory after
  EXPECT_EQ(make_tuple(find_entry("a.ses", entry_count), find_entry("B.ses", entry_count),
                       find_entry("a.se", entry_count)),
            make_tuple(2, entry_count, entry_count));  // whole names, case-sensitive
  // Another mode, another extension; "-old" sorts before "." and "..", which then stay.
  browse_load_ses = 0, browse_save_rib = 1;
  fs::create_directory("-old");
  EXPECT_EQ(listed(root), "-old/ ./ ../ old.ses/ sub/ scene.rib");
  // A directory that cannot be opened: a message naming it, the table kept.
  testing::internal::CaptureStderr();
  EXPECT_FALSE(list_directory((root + "/nothere").c_str()));
  EXPECT_NE(testing::internal::GetCapturedStderr().find("nothere"), std::string::npos);
  EXPECT_EQ(entry_count, 6);
  browse_save_rib = 0, browse_load_ses = 1;
  std::ofstream{"sub/" + std::string(194, 'k') + ".ses"};  // 198 bytes: fits with the prefix
  std::ofstream{"sub/" + std::string(195, 'l') + ".ses"};  // 199: does not
  EXPECT_EQ(listed(root + "/sub"), std::string(194, 'k') + ".ses");
}

TEST_F(Browser, CrowdedDirectoryKeepsWhatComesFirstInItsOrder) {
  browse_load_ses = 1;
  for (int i = 0; i < 20; i++) fs::create_directory(root + "/sub/d" + std::to_string(10 + i));
  for (int i = 0; i < 1000; i++) std::ofstream{root + "/sub/f" + std::to_string(1000 + i) + ".ses"};
  // 300 kept, "." and ".." among them: every directory, then the files that
  // sort first; the rest are not read into the table at all.
  ASSERT_TRUE(list_directory((root + "/sub").c_str()));
  ASSERT_EQ(entry_count, max_entries - 2);
  for (int i = 0; i < 20; i++) {
    EXPECT_EQ(entries[i], "d" + std::to_string(10 + i));
    EXPECT_EQ(entry_is_dir[i], 1) << entries[i];
  }
  for (int i = 20; i < entry_count; i++)
    EXPECT_EQ(entries[i], "f" + std::to_string(1000 + i - 20) + ".ses");
}

TEST_F(Browser, LoadingPickedAndTypedSessions) {
  create_object();
  ASSERT_TRUE(save_session("one.ses"));
  std::ofstream("bad.ses") << "version 1\n 7\n nonsense\n";
  delete_all();
  open(&browse_load_ses, "");
  press(ROW_X, row_y("one.ses"));  // the first press selects and copies the name
  EXPECT_EQ(sel_entry, find_entry("one.ses", entry_count));
  EXPECT_STREQ(file_name, "one.ses");
  last_click_time -= 2.0;  // the next press comes two seconds later: it only selects
  press(ROW_X, row_y("one.ses"));
  EXPECT_EQ(last_record, 5);
  ses_load_dir[0] = 0;
  press(ROW_X, row_y("one.ses"));  // within the second: loads, the browser stays open
  EXPECT_EQ(make_tuple(last_record, browser_open, std::string(ses_load_dir)),
            make_tuple(6, 1, root));
  delete_all();  // a session that exists but cannot be read leaves the scene alone
  last_click_time -= 2.0;
  press(ROW_X, row_y("bad.ses"), 2);
  EXPECT_EQ(make_tuple(read_failed, last_record), make_tuple(1, 5));
  press(OK_X - 1, CHOICE_Y);  // just left of "ok", then just below it
  press(OK_X, CHOICE_Y + 7);
  EXPECT_EQ(read_failed, 1);
  press(OK_X, CHOICE_Y);
  EXPECT_EQ(read_failed, 0);
  file_name[0] = 0;  // a typed name gets ".ses"; one not in the directory is refused
  type("missing");
  press(FIELD_X, FIELD_Y);  // the first press on the field only deselects
  EXPECT_EQ(no_such_file, 0);
  press(FIELD_X, FIELD_Y);
  EXPECT_EQ(no_such_file, 1);
  EXPECT_STREQ(file_name, "missing.ses");
}

TEST_F(Browser, SavingTypedNamesAndAskingBeforeOverwriting) {
  open(&browse_save_ses, "");
  type("Sc/ene");  // capitals and "/" are not taken
  keyboard_3d(8, 0, 0);
  type("es");
  press(FIELD_X, FIELD_Y, 2);
  EXPECT_EQ(make_tuple(browser_open, fs::exists("cenes.ses"), std::string(ses_save_dir)),
            make_tuple(0, true, root));
  open(&browse_save_ses, "scene.session");  // holds ".ses": kept as typed
  press(FIELD_X, FIELD_Y, 2);
  EXPECT_EQ(make_tuple(fs::exists("scene.session"), fs::exists("scene.session.ses")),
            make_tuple(true, false));
  open(&browse_save_ses, "");  // typed names stop where an extension still fits
  for (int i = 0; i < 200; i++) type("n");
  press(FIELD_X, FIELD_Y, 2);
  EXPECT_TRUE(fs::exists(std::string(MAX_TYPED_NAME, 'n') + ".ses"));
  std::ofstream("untitled.ses") << "keep";
  open(&browse_save_ses, "untitled");  // becomes an existing name with ".ses": asks
  press(FIELD_X, FIELD_Y, 2);
  EXPECT_EQ(ask_overwrite, 1);
  press(NO_X, CHOICE_Y);
  EXPECT_EQ(make_tuple(ask_overwrite, first_byte("untitled.ses")), make_tuple(0, 'k'));
  press(FIELD_X, FIELD_Y, 2);
  press(YES_X, CHOICE_Y);
  EXPECT_EQ(make_tuple(browser_open, first_byte("untitled.ses")), make_tuple(0, 'v'));
  // A double click on a listed file asks too; "close" leaves no question behind.
  open(&browse_save_ses, "other.ses");
  press(ROW_X, row_y("untitled.ses"), 2);
  EXPECT_EQ(make_tuple(std::string(file_name), ask_overwrite), make_tuple("untitled.ses"s, 1));
  press(CLOSE_X, BUTTON_Y);
  EXPECT_EQ(browser_open + ask_overwrite, 0);
  fs::create_directory("dir.ses");  // cannot be written: the browser stays open
  open(&browse_save_ses, "dir.ses");
  press(FIELD_X, FIELD_Y, 2);
  press(YES_X, CHOICE_Y);
  EXPECT_EQ(make_tuple(write_failed, browser_open), make_tuple(1, 1));
}

TEST_F(Browser, WalkingDirectoriesAndTheHomeMode) {
  fs::create_directory("sub/deeper");
  open(&browse_save_rib, "untitled.rib");
  const std::string mode_dir = rib_dir;
  special_3d(105, 0, 0);  // Page Down, Page Up
  EXPECT_EQ(list_top, 1);
  special_3d(104, 0, 0);
  EXPECT_EQ(list_top, 0);
  press(ROW_X, row_y("sub"), 2);  // the listing follows at once
  EXPECT_EQ(make_tuple(cwd(), std::string(current_dir), find_entry("deeper", entry_count)),
            make_tuple(root + "/sub", root + "/sub", 0));
  press(UPDIR_X, BUTTON_Y);  // released over the button
  EXPECT_EQ(make_tuple(cwd(), updir_pressed), make_tuple(root, 0));
  fs::current_path("sub/deeper");  // rows are read from where the user is
  press(ROW_X, row_y("sub"));
  EXPECT_EQ(sel_entry, -1);
  press(HOME_X, BUTTON_Y);  // walking alone changes no mode directory
  EXPECT_EQ(make_tuple(cwd(), std::string(file_name), std::string(rib_dir)),
            make_tuple(std::string(home_dir), ""s, mode_dir));
  const int before = distance;  // keys go to the name field, not to the camera
  type("a.b/");
  EXPECT_EQ(make_tuple(std::string(file_name), distance), make_tuple("a.b"s, before));
  press(CLOSE_X, BUTTON_Y);
  const std::string old_home = home_dir;
  open(&browse_home, "");
  std::snprintf(saved_home, DIR_SIZE, "%s", home_dir);
  type("/SUB");  // "/" is taken in the home mode, capitals are not
  EXPECT_EQ(home_dir, old_home + "/");
  type("sub/./");
  press(UPDIR_X, BUTTON_Y);  // " OK ": kept as an absolute path, no change of directory
  EXPECT_EQ(make_tuple(browser_open, std::string(home_dir), cwd()),
            make_tuple(0, root + "/sub", root));
  open(&browse_home, "");
  std::snprintf(saved_home, DIR_SIZE, "%s", home_dir);
  type("x");
  press(UPDIR_X, BUTTON_Y);  // no such directory: open to be fixed
  EXPECT_EQ(make_tuple(no_such_dir, browser_open), make_tuple(1, 1));
  press(CLOSE_X, BUTTON_Y);  // "close" drops the edit
  EXPECT_EQ(home_dir, root + "/sub");
}

TEST_F(Browser, UnreadableDirectoryShowsEmpty) {
  std::ofstream("sub/inside.ses");
  fs::create_directory("gone");
  open(&browse_load_ses, "");
  fs::remove("gone");  // removed while listed: entering it says why it failed
  testing::internal::CaptureStderr();
  press(ROW_X, row_y("gone"), 2);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "gone: No such file or directory\n");
  EXPECT_EQ(cwd(), root);
  testing::internal::CaptureStderr();
  press(ROW_X, row_y("sub"), 2);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  ASSERT_EQ(find_entry("inside.ses", entry_count), 0);
  // Entered, then no longer readable (as it is gone, or execute-only for a
  // user): the rows of the old listing must not stay to be clicked.
  fs::remove_all(root + "/sub");
  update_listing();
  EXPECT_EQ(entry_count, 0);
  press(ROW_X, 105);
  EXPECT_EQ(sel_entry, -1);
}

TEST_F(Browser, ShaderCodeFileTheReaderRefusesChangesNothing) {
  std::ofstream("plain.rcf") << "*shader matte\nSurface \"matte\"\n*end\n**end\n";
  ASSERT_TRUE(load_code_file("plain.rcf"));
  std::ofstream("huge.rcf");
  fs::resize_file("huge.rcf", 65 << 20);  // sparse: costs no disk
  open(&browse_load_code, "");
  testing::internal::CaptureStderr();
  press(ROW_X, row_y("huge.rcf"), 2);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "huge.rcf: larger than 64 MB\n");
  EXPECT_EQ(read_failed, 1);
  EXPECT_EQ(browser_open, 1);
  EXPECT_EQ(code_count, 1);
  EXPECT_EQ(std::string(code_file), root + "/plain.rcf");
}

TEST_F(Browser, ShaderCodeFileByTypedName) {
  std::ofstream("plain.rcf") << "*shader matte\nSurface \"matte\"\n*end\n**end\n";
  open(&browse_load_code, "plain");
  press(FIELD_X, FIELD_Y, 2);
  EXPECT_EQ(make_tuple(browser_open, std::string(CodeTable[1].code_name), std::string(code_dir)),
            make_tuple(0, "matte"s, root));
}
