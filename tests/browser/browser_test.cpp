// The file browser driven through the real mouse and keyboard callbacks of
// the "display" window, in a scratch directory tree.
#include "browser/browser.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/scene.h"
#include "app/startup.h"
#include "app/window.h"
#include "browser/listing.h"
#include "input/input.h"
#include "io/code_table.h"
#include "io/session.h"

namespace {

// Window points of the browser's controls in a 600 x 500 window.
constexpr int FIELD_X = 400, FIELD_Y = 38;
constexpr int BUTTON_Y = 70, UPDIR_X = 350, CLOSE_X = 450, HOME_X = 550;
constexpr int CHOICE_Y = 108, YES_X = 360, NO_X = 535, OK_X = 445;
constexpr int ROW_X = 400;

void press(int x, int y) {
  mouse_3d(0, 0, x, y);
  mouse_3d(0, 1, x, y);
}
void double_press(int x, int y) {
  press(x, y);
  press(x, y);
}
void type(const char* text) {
  for (const char* c = text; *c; c++) keyboard_3d(static_cast<unsigned char>(*c), 0, 0);
}
std::string cwd() {
  char buf[512];
  return getcwd(buf, sizeof buf) ? buf : "";
}
bool exists(const std::string& name) { return access(name.c_str(), F_OK) == 0; }

class BrowserTest : public ::testing::Test {
 protected:
  std::string root, start;

  void SetUp() override {
    start = cwd();
    char tmpl[] = "/tmp/browser_test_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    root = tmpl;
    ASSERT_EQ(mkdir((root + "/sub").c_str(), 0755), 0);
    ASSERT_EQ(chdir(root.c_str()), 0);
    reset_all();
    win_width = 600;
    win_height = 500;
  }
  void TearDown() override {
    ASSERT_EQ(chdir(start.c_str()), 0);
    std::system(("rm -rf " + root).c_str());
  }
  // What the "i/o menu" does, followed by the frame that lists the directory.
  void open(int* mode, const char* name) {
    ASSERT_EQ(chdir(root.c_str()), 0);
    *mode = 1;
    std::snprintf(file_name, DIR_SIZE, "%s", name);
    browser_open = 1;
    update_listing();
  }
  // The window y of the listing row that shows name.
  int row_y(const char* name) { return 105 + 15 * (find_entry(name, entry_count) - list_top); }
};

TEST_F(BrowserTest, LoadingPickedAndTypedSessions) {
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
  EXPECT_EQ(last_record, 6);
  EXPECT_EQ(browser_open, 1);
  EXPECT_EQ(ses_load_dir, root);

  // A session that exists but cannot be read leaves the scene alone.
  delete_all();
  last_click_time -= 2.0;
  double_press(ROW_X, row_y("bad.ses"));
  EXPECT_EQ(read_failed, 1);
  EXPECT_EQ(last_record, 5);
  press(OK_X, CHOICE_Y);
  EXPECT_EQ(read_failed, 0);

  // A typed name gets ".ses"; one that is not in the directory is refused.
  file_name[0] = 0;
  type("missing");
  press(FIELD_X, FIELD_Y);  // the first press on the field only deselects
  EXPECT_EQ(no_such_file, 0);
  press(FIELD_X, FIELD_Y);
  EXPECT_EQ(no_such_file, 1);
  EXPECT_STREQ(file_name, "missing.ses");
}

TEST_F(BrowserTest, SavingTypedNamesAndAskingBeforeOverwriting) {
  open(&browse_save_ses, "");
  type("Sc/ene");  // capitals and "/" are not taken
  keyboard_3d(8, 0, 0);
  type("es");
  double_press(FIELD_X, FIELD_Y);
  EXPECT_EQ(browser_open, 0);
  EXPECT_TRUE(exists("cenes.ses"));
  EXPECT_EQ(ses_save_dir, root);

  open(&browse_save_ses, "scene.session");  // holds ".ses": kept as typed
  double_press(FIELD_X, FIELD_Y);
  EXPECT_TRUE(exists("scene.session"));
  EXPECT_FALSE(exists("scene.session.ses"));

  open(&browse_save_ses, "");  // typed names stop where an extension still fits
  for (int i = 0; i < 200; i++) type("n");
  double_press(FIELD_X, FIELD_Y);
  EXPECT_TRUE(exists(std::string(MAX_TYPED_NAME, 'n') + ".ses"));

  std::ofstream("untitled.ses") << "keep";
  open(&browse_save_ses, "untitled");  // becomes an existing name with ".ses": asks
  double_press(FIELD_X, FIELD_Y);
  EXPECT_EQ(ask_overwrite, 1);
  press(NO_X, CHOICE_Y);
  EXPECT_EQ(ask_overwrite, 0);
  EXPECT_EQ(std::ifstream("untitled.ses").get(), 'k');
  double_press(FIELD_X, FIELD_Y);
  press(YES_X, CHOICE_Y);
  EXPECT_EQ(browser_open, 0);
  EXPECT_EQ(std::ifstream("untitled.ses").get(), 'v');  // "version ..."

  // A double click on a listed file asks too; "close" leaves no question behind.
  open(&browse_save_ses, "other.ses");
  double_press(ROW_X, row_y("untitled.ses"));
  EXPECT_STREQ(file_name, "untitled.ses");
  EXPECT_EQ(ask_overwrite, 1);
  press(CLOSE_X, BUTTON_Y);
  EXPECT_EQ(browser_open + ask_overwrite, 0);

  // A name taken by a directory cannot be written: the browser stays open.
  ASSERT_EQ(mkdir("dir.ses", 0755), 0);
  open(&browse_save_ses, "dir.ses");
  double_press(FIELD_X, FIELD_Y);
  press(YES_X, CHOICE_Y);
  EXPECT_EQ(write_failed, 1);
  EXPECT_EQ(browser_open, 1);
}

TEST_F(BrowserTest, WalkingDirectories) {
  ASSERT_EQ(mkdir("sub/deeper", 0755), 0);
  open(&browse_save_rib, "untitled.rib");
  const std::string mode_dir = rib_dir;
  special_3d(105, 0, 0);  // Page Down, Page Up
  EXPECT_EQ(list_top, 1);
  special_3d(104, 0, 0);
  EXPECT_EQ(list_top, 0);
  double_press(ROW_X, row_y("sub"));
  EXPECT_EQ(cwd(), root + "/sub");
  EXPECT_EQ(current_dir, root + "/sub");
  EXPECT_EQ(find_entry("deeper", entry_count), 0);  // the listing follows at once

  press(UPDIR_X, BUTTON_Y);
  EXPECT_EQ(cwd(), root);
  EXPECT_EQ(updir_pressed, 0);  // released over the button

  ASSERT_EQ(chdir("sub/deeper"), 0);  // rows are read from where the user is
  press(ROW_X, row_y("sub"));
  EXPECT_EQ(sel_entry, -1);
  press(HOME_X, BUTTON_Y);
  EXPECT_EQ(cwd(), home_dir);
  EXPECT_STREQ(file_name, "");
  EXPECT_EQ(rib_dir, mode_dir);  // walking alone changes no mode directory

  // Keys go to the name field while the browser is open, not to the camera.
  const int before = distance;
  type("a.b/");
  EXPECT_STREQ(file_name, "a.b");
  EXPECT_EQ(distance, before);
}

TEST_F(BrowserTest, HomeModeEditsTheHomeDirectory) {
  const std::string old_home = home_dir;
  open(&browse_home, "");
  std::snprintf(saved_home, DIR_SIZE, "%s", home_dir);
  type("/SUB");  // "/" is taken in the home mode, capitals are not
  EXPECT_EQ(home_dir, old_home + "/");
  type("sub/./");
  press(UPDIR_X, BUTTON_Y);  // " OK ": kept as an absolute path, no change of directory
  EXPECT_EQ(browser_open, 0);
  EXPECT_EQ(home_dir, root + "/sub");
  EXPECT_EQ(cwd(), root);

  open(&browse_home, "");
  std::snprintf(saved_home, DIR_SIZE, "%s", home_dir);
  type("x");
  press(UPDIR_X, BUTTON_Y);  // no such directory: open to be fixed
  EXPECT_EQ(no_such_dir, 1);
  EXPECT_EQ(browser_open, 1);
  press(CLOSE_X, BUTTON_Y);  // "close" drops the edit
  EXPECT_EQ(home_dir, root + "/sub");
}

TEST_F(BrowserTest, ShaderCodeFiles) {
  std::ofstream("plain.rcf") << "*shader matte\nSurface \"matte\"\n*end\n**end\n";
  open(&browse_load_code, "nothere");
  double_press(FIELD_X, FIELD_Y);
  EXPECT_EQ(no_such_file, 1);
  EXPECT_STREQ(file_name, "nothere.rcf");
  press(OK_X, CHOICE_Y);

  file_name[0] = 0;
  type("plain");
  double_press(FIELD_X, FIELD_Y);
  EXPECT_EQ(browser_open, 0);
  EXPECT_STREQ(CodeTable[1].code_name, "matte");
  EXPECT_EQ(code_dir, root);
}

}  // namespace
