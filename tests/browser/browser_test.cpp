// The file browser driven through the real mouse and keyboard callbacks of
// the "display" window, in a scratch directory tree.
#include "browser/browser.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
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
int row_y(int k) { return 105 + 15 * k; }

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
std::string read_file(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}
std::string cwd() {
  char buf[512];
  return getcwd(buf, sizeof buf) ? buf : "";
}

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
  void open(int* mode, const char* name, const char* dir) {
    ASSERT_EQ(chdir(dir), 0);
    *mode = 1;
    std::snprintf(file_name, DIR_SIZE, "%s", name);
    browser_open = 1;
    update_listing();
  }
  void write(const std::string& name, const std::string& text) {
    std::ofstream(name) << text;
    update_listing();
  }
  int row_of(const char* name) { return find_entry(name, entry_count) - list_top; }
};

TEST_F(BrowserTest, PressSelectsAndSecondPressWithinASecondLoads) {
  create_object();
  ASSERT_TRUE(save_session("one.ses"));
  delete_all();
  open(&browse_load_ses, "", root.c_str());
  ASSERT_EQ(row_of("one.ses"), 1);  // below "sub"

  press(ROW_X, row_y(1));
  EXPECT_EQ(sel_entry, 1);
  EXPECT_STREQ(file_name, "one.ses");
  last_click_time -= 2.0;  // the next press comes two seconds later: it only selects
  press(ROW_X, row_y(1));
  EXPECT_EQ(last_record, 5);
  EXPECT_EQ(sel_entry, 1);

  ses_load_dir[0] = 0;
  press(ROW_X, row_y(1));  // within the second: loads, the browser stays open
  EXPECT_EQ(last_record, 6);
  EXPECT_EQ(browser_open, 1);
  EXPECT_EQ(std::string(ses_load_dir), root);

  // A session that exists but cannot be read leaves the scene alone.
  write("bad.ses", "version 1\n 7\n nonsense\n");
  delete_all();
  last_click_time -= 2.0;
  press(ROW_X, row_y(row_of("bad.ses")));
  press(ROW_X, row_y(row_of("bad.ses")));
  EXPECT_EQ(read_failed, 1);
  EXPECT_EQ(last_record, 5);
  press(OK_X, CHOICE_Y);
  EXPECT_EQ(read_failed, 0);

  // A typed name that is not in the directory.
  file_name[0] = 0;
  type("missing");
  press(FIELD_X, FIELD_Y);
  press(FIELD_X, FIELD_Y);
  EXPECT_EQ(no_such_file, 1);
  EXPECT_STREQ(file_name, "missing.ses");
  press(OK_X, CHOICE_Y);
  EXPECT_EQ(no_such_file, 0);
}

TEST_F(BrowserTest, TypedNameGetsExtensionUnlessItHoldsIt) {
  open(&browse_save_ses, "", root.c_str());
  type("Sc/ene");  // capitals and "/" are not taken
  EXPECT_STREQ(file_name, "cene");
  keyboard_3d(8, 0, 0);
  type("es");
  press(FIELD_X, FIELD_Y);  // one press does not confirm
  EXPECT_EQ(browser_open, 1);
  press(FIELD_X, FIELD_Y);
  EXPECT_EQ(browser_open, 0);
  EXPECT_EQ(access("cenes.ses", F_OK), 0);
  EXPECT_EQ(std::string(ses_save_dir), root);

  open(&browse_save_ses, "scene.session", root.c_str());
  double_press(FIELD_X, FIELD_Y);
  EXPECT_EQ(access("scene.session", F_OK), 0);
  EXPECT_NE(access("scene.session.ses", F_OK), 0);

  open(&browse_save_ses, "", root.c_str());
  for (int i = 0; i < 200; i++) type("n");
  EXPECT_EQ(std::strlen(file_name), static_cast<size_t>(MAX_TYPED_NAME));
  double_press(FIELD_X, FIELD_Y);
  EXPECT_EQ(browser_open, 0);
  EXPECT_EQ(access((std::string(MAX_TYPED_NAME, 'n') + ".ses").c_str(), F_OK), 0);
}

TEST_F(BrowserTest, SavingOverAnExistingFileAsks) {
  write("untitled.ses", "keep");
  open(&browse_save_ses, "untitled.ses", root.c_str());
  double_press(FIELD_X, FIELD_Y);
  EXPECT_EQ(ask_overwrite, 1);
  press(NO_X, CHOICE_Y);
  EXPECT_EQ(ask_overwrite, 0);
  EXPECT_EQ(read_file("untitled.ses"), "keep");

  // A typed name that becomes an existing one with its extension asks too.
  file_name[0] = 0;
  type("untitled");
  double_press(FIELD_X, FIELD_Y);
  EXPECT_EQ(ask_overwrite, 1);
  press(YES_X, CHOICE_Y);
  EXPECT_EQ(browser_open, 0);
  EXPECT_EQ(read_file("untitled.ses").rfind("version", 0), 0u);

  // A double click on a listed file copies its name and asks.
  open(&browse_save_ses, "other.ses", root.c_str());
  int k = row_of("untitled.ses");
  double_press(ROW_X, row_y(k));
  EXPECT_STREQ(file_name, "untitled.ses");
  EXPECT_EQ(ask_overwrite, 1);
  press(CLOSE_X, BUTTON_Y);
  EXPECT_EQ(browser_open, 0);
  EXPECT_EQ(ask_overwrite, 0);  // no question left for the next opening

  // A name that is taken by a directory cannot be written.
  ASSERT_EQ(mkdir("dir.ses", 0755), 0);
  open(&browse_save_ses, "dir.ses", root.c_str());
  double_press(FIELD_X, FIELD_Y);
  press(YES_X, CHOICE_Y);
  EXPECT_EQ(write_failed, 1);
  EXPECT_EQ(browser_open, 1);
}

TEST_F(BrowserTest, WalkingDirectories) {
  ASSERT_EQ(mkdir("sub/deeper", 0755), 0);
  open(&browse_save_rib, "untitled.rib", root.c_str());
  std::string mode_dir = rib_dir;
  special_3d(105, 0, 0);  // Page Down
  EXPECT_EQ(list_top, 1);
  special_3d(104, 0, 0);
  EXPECT_EQ(list_top, 0);
  double_press(ROW_X, row_y(row_of("sub")));
  EXPECT_EQ(cwd(), root + "/sub");
  EXPECT_EQ(std::string(current_dir), root + "/sub");
  EXPECT_EQ(sel_entry, -1);
  EXPECT_EQ(find_entry("deeper", entry_count), 0);  // the listing follows at once

  press(UPDIR_X, BUTTON_Y);
  EXPECT_EQ(cwd(), root);
  EXPECT_EQ(updir_pressed, 0);  // released over the button

  ASSERT_EQ(chdir("sub/deeper"), 0);
  update_listing();
  press(HOME_X, BUTTON_Y);
  EXPECT_EQ(cwd(), std::string(home_dir));
  EXPECT_STREQ(file_name, "");
  EXPECT_EQ(std::string(rib_dir), mode_dir);  // walking alone changes no mode directory

  // Keys go to the name field while the browser is open, not to the camera.
  int before = distance;
  type("a.b/");
  EXPECT_STREQ(file_name, "a.b");
  EXPECT_EQ(distance, before);
}

TEST_F(BrowserTest, HomeModeEditsTheHomeDirectory) {
  std::string old_home = home_dir;
  std::snprintf(saved_home, DIR_SIZE, "%s", home_dir);
  open(&browse_home, "", root.c_str());
  type("/SUB");  // "/" is taken in the home mode, capitals are not
  EXPECT_EQ(std::string(home_dir), old_home + "/");
  type("sub/./");
  press(UPDIR_X, BUTTON_Y);  // " OK "
  EXPECT_EQ(browser_open, 0);
  EXPECT_EQ(std::string(home_dir), root + "/sub");
  EXPECT_EQ(cwd(), root);

  std::snprintf(saved_home, DIR_SIZE, "%s", home_dir);
  open(&browse_home, "", root.c_str());
  type("x");
  press(UPDIR_X, BUTTON_Y);  // no such directory: the edit stays open to be fixed
  EXPECT_EQ(no_such_dir, 1);
  EXPECT_EQ(browser_open, 1);
  press(CLOSE_X, BUTTON_Y);  // "close" drops the edit
  EXPECT_EQ(std::string(home_dir), root + "/sub");
}

TEST_F(BrowserTest, ShaderCodeFiles) {
  write("plain.rcf", "*shader matte\nSurface \"matte\"\n*end\n**end\n");
  open(&browse_load_code, "", root.c_str());
  type("nothere");
  double_press(FIELD_X, FIELD_Y);
  EXPECT_EQ(no_such_file, 1);
  EXPECT_STREQ(file_name, "nothere.rcf");
  press(OK_X, CHOICE_Y);

  file_name[0] = 0;
  type("plain");
  double_press(FIELD_X, FIELD_Y);
  EXPECT_EQ(browser_open, 0);
  EXPECT_EQ(code_count, 1);
  EXPECT_STREQ(CodeTable[1].code_name, "matte");
  EXPECT_EQ(std::string(code_dir), root);
}

}  // namespace
