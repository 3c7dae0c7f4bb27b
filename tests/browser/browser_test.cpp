// The directory listing, and the file browser through its own cells and keys,
// in a scratch directory tree.
#include "browser/browser.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/scene.h"
#include "app/window.h"
#include "browser/browser_layout.h"
#include "browser/listing.h"
#include "io/code_table.h"
#include "io/session.h"
#include "support/cells.h"
#include "support/resets.h"

namespace fs = std::filesystem;

static void press(const char* cell, int times = 1) {
  for (int i = 0; i < times; i++) click_cell(browser_layout, cell);
}
static void type(const char* text) {
  for (const char* c = text; *c; c++) browser_key(static_cast<unsigned char>(*c));
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
    reset_browser_layer();
    win_width = 600, win_height = 500;
  }
  void TearDown() override {
    fs::current_path(start);
    fs::remove_all(root);
  }
  // The browser opened in a mode, with a name in the field.
  void open(BrowserMode mode, const char* name) {
    open_browser(mode);
    std::snprintf(file_name, DIR_SIZE, "%s", name);
  }
  // Presses on the listing row that shows name.
  void press_row(const char* name, int times = 1) {
    for (int i = 0; i < times; i++)
      click_cell(browser_layout, "rows", 0, find_entry(name, entry_count) - list_top);
  }
  // The table read from path as "name name/ ...", directories marked with a slash.
  std::string listed(const std::string& path) {
    EXPECT_TRUE(list_directory(path.c_str()));
    std::string s;
    for (int i = 0; i < entry_count; i++)
      s += std::string(i ? " " : "") + entries[i] + (entry_is_dir[i] ? "/" : "");
    return s;
  }
};

TEST_F(Browser, ListsDirectoriesFirstThenTheModesFilesInByteOrder) {
  for (const char* f : {"b.ses", "a.ses", "A.ses", "notes.txt", "x.session.bak", "scene.rib"})
    std::ofstream{f};
  fs::create_directory("old.ses");
  fs::current_path("sub");
  browse_load_ses = 1;
  // "." and ".." sort first and go; a directory named like a session sorts among the files.
  EXPECT_EQ(listed(root), "sub/ A.ses a.ses b.ses old.ses/ x.session.bak");
  EXPECT_EQ(cwd(), root) << "the listed directory is the working directory after";
  EXPECT_EQ(find_entry("a.ses", entry_count), 2);
  EXPECT_EQ(find_entry("B.ses", entry_count), entry_count) << "case-sensitive";
  EXPECT_EQ(find_entry("a.se", entry_count), entry_count) << "whole names";
  // Another mode, another extension; "-old" sorts before "." and "..", which then stay.
  browse_load_ses = 0, browse_save_rib = 1;
  fs::create_directory("-old");
  EXPECT_EQ(listed(root), "-old/ ./ ../ old.ses/ sub/ scene.rib");
}

// What the browser then shows is AnUnreadableDirectoryShowsEmpty.
TEST_F(Browser, ADirectoryThatCannotBeReadIsNamedOnTheConsole) {
  testing::internal::CaptureStderr();
  EXPECT_FALSE(list_directory((root + "/nothere").c_str()));
  EXPECT_NE(testing::internal::GetCapturedStderr().find("nothere"), std::string::npos);
}

TEST_F(Browser, ListsNamesThatFit) {
  browse_load_ses = 1;
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

TEST_F(Browser, OpeningAndEveryEventReadTheDirectoryAgain) {
  std::ofstream{"a.ses"};
  open(BROWSE_LOAD_SES, "");
  EXPECT_EQ(find_entry("a.ses", entry_count), 1);
  std::ofstream{"b.ses"};
  type("x");
  EXPECT_EQ(find_entry("b.ses", entry_count), 2);
}

TEST_F(Browser, APressSelectsASessionAndADoubleClickLoadsItWithTheBrowserOpen) {
  create_object();
  ASSERT_TRUE(save_session("one.ses"));
  delete_all();
  open(BROWSE_LOAD_SES, "");
  press_row("one.ses");  // the first press selects and copies the name
  EXPECT_EQ(sel_entry, find_entry("one.ses", entry_count));
  EXPECT_STREQ(file_name, "one.ses");
  last_click_time -= 2.0;  // the next press comes two seconds later: it only selects
  press_row("one.ses");
  EXPECT_EQ(last_record, LAST_LIGHT);
  ses_load_dir[0] = 0;
  press_row("one.ses");
  EXPECT_EQ(last_record, 6);
  EXPECT_EQ(browser_open, 1);
  EXPECT_EQ(ses_load_dir, root);
}

TEST_F(Browser, ASessionThatCannotBeReadLeavesTheSceneAloneWithANotice) {
  std::ofstream("bad.ses") << "version 1\n 7\n nonsense\n";
  open(BROWSE_LOAD_SES, "");
  press_row("bad.ses", 2);
  EXPECT_EQ(read_failed, 1);
  EXPECT_EQ(last_record, LAST_LIGHT);
  browser_click(0, 0, 430, 108);  // just left of "ok", then just below it
  browser_click(0, 0, 431, 115);
  EXPECT_EQ(read_failed, 1);
  press("ok");
  EXPECT_EQ(read_failed, 0);
}

TEST_F(Browser, ATypedNameToLoadGetsTheExtensionAndMustExist) {
  open(BROWSE_LOAD_SES, "");
  type("missing");
  press("field");  // the first press on the field only deselects
  EXPECT_EQ(no_such_file, 0);
  press("field");
  EXPECT_EQ(no_such_file, 1);
  EXPECT_STREQ(file_name, "missing.ses");
}

TEST_F(Browser, TypedNamesTakeLowerCaseLettersDigitsAndThreeSigns) {
  open(BROWSE_SAVE_SES, "");
  type("az09_-.A /\\:");
  EXPECT_STREQ(file_name, "az09_-.");
  type("\b");
  EXPECT_STREQ(file_name, "az09_-");
}

TEST_F(Browser, ASavedNameThatHoldsTheExtensionAnywhereIsKeptAsTyped) {
  open(BROWSE_SAVE_SES, "scene.session");
  press("field", 2);
  EXPECT_TRUE(fs::exists("scene.session"));
  EXPECT_FALSE(fs::exists("scene.session.ses"));
  EXPECT_EQ(browser_open, 0);
  EXPECT_EQ(ses_save_dir, root);
}

TEST_F(Browser, TypedNamesStopWhereAnExtensionStillFits) {
  open(BROWSE_SAVE_SES, "");
  for (int i = 0; i < 200; i++) type("n");
  press("field", 2);
  EXPECT_TRUE(fs::exists(std::string(MAX_TYPED_NAME, 'n') + ".ses"));
}

TEST_F(Browser, SavingOverAnExistingFileAsksFirst) {
  std::ofstream("untitled.ses") << "keep";
  open(BROWSE_SAVE_SES, "untitled");  // becomes an existing name with ".ses"
  press("field", 2);
  EXPECT_EQ(ask_overwrite, 1);
  press(" no");
  EXPECT_EQ(ask_overwrite, 0);
  EXPECT_EQ(first_byte("untitled.ses"), 'k');
  press("field", 2);
  browser_click(0, 0, 351, 108);  // the first pixel of " yes"
  EXPECT_EQ(browser_open, 0);
  EXPECT_EQ(first_byte("untitled.ses"), 'v');
}

TEST_F(Browser, ADoubleClickOnAListedFileAsksTooAndCloseDropsTheQuestion) {
  std::ofstream("untitled.ses") << "keep";
  open(BROWSE_SAVE_SES, "other.ses");
  press_row("untitled.ses", 2);
  EXPECT_STREQ(file_name, "untitled.ses");
  EXPECT_EQ(ask_overwrite, 1);
  browser_click(0, 0, 450, 82);  // just below "close"
  EXPECT_EQ(browser_open, 1);
  press("close");
  EXPECT_EQ(browser_open, 0);
  EXPECT_EQ(ask_overwrite, 0);
}

TEST_F(Browser, AFileThatCannotBeWrittenKeepsTheBrowserOpen) {
  fs::create_directory("dir.ses");
  open(BROWSE_SAVE_SES, "dir.ses");
  press("field", 2);
  press(" yes");
  EXPECT_EQ(write_failed, 1);
  EXPECT_EQ(browser_open, 1);
}

TEST_F(Browser, ADoubleClickOnADirectoryEntersItAndListsIt) {
  fs::create_directory("sub/deeper");
  fs::create_directory("a");  // "sub" comes second
  open(BROWSE_SAVE_RIB, "");
  list_top = 1;
  press_row("sub", 2);
  EXPECT_EQ(cwd(), root + "/sub");
  EXPECT_EQ(current_dir, root + "/sub");
  EXPECT_EQ(list_top, 0);
  EXPECT_EQ(sel_entry, -1);
  EXPECT_EQ(find_entry("deeper", entry_count), 0);
}

TEST_F(Browser, ADirectoryWhosePathDoesNotFitIsNotEntered) {
  const std::string deep(180, 'd');
  fs::create_directories("sub/" + deep);
  std::snprintf(rib_dir, DIR_SIZE, "%s/sub", root.c_str());
  open(BROWSE_SAVE_RIB, "");
  testing::internal::CaptureStderr();
  press_row(deep.c_str(), 2);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "working directory path longer than 199 characters\n");
  EXPECT_EQ(cwd(), root + "/sub");
  EXPECT_EQ(current_dir, root + "/sub");
  EXPECT_EQ(sel_entry, 0) << "still selected";
}

TEST_F(Browser, UpDirGoesToTheParentAndIsRaisedWhenReleased) {
  std::snprintf(rib_dir, DIR_SIZE, "%s/sub", root.c_str());
  open(BROWSE_SAVE_RIB, "");
  list_top = 1;
  press_cell(browser_layout, "UpDir");
  EXPECT_EQ(cwd(), root);
  EXPECT_EQ(list_top, 0);
  EXPECT_EQ(updir_pressed, 1);
  browser_click(0, 1, 331, 84);  // released at the corner of the button's release band
  EXPECT_EQ(updir_pressed, 0);
}

TEST_F(Browser, HomeGoesHomeEmptiesTheNameAndLeavesTheModesDirectory) {
  open(BROWSE_SAVE_RIB, "untitled.rib");
  const std::string mode_dir = rib_dir;
  fs::current_path("sub");
  press(" home ");
  EXPECT_EQ(home_pressed, 0) << "released over it";
  EXPECT_EQ(cwd(), std::string(home_dir));
  EXPECT_STREQ(file_name, "");
  EXPECT_EQ(rib_dir, mode_dir);
}

TEST_F(Browser, TheHomeModeKeepsAnEnteredDirectoryAsAnAbsolutePath) {
  open(BROWSE_HOME, "");
  type("/SUB");  // "/" is taken in the home mode, capitals are not
  EXPECT_EQ(home_dir, root + "/");
  type("sub/./");
  press("UpDir");  // " OK ", with no change of directory
  EXPECT_EQ(browser_open, 0);
  EXPECT_EQ(home_dir, root + "/sub");
  EXPECT_EQ(cwd(), root);
}

TEST_F(Browser, TheHomeModeRefusesANonexistentDirectoryAndCloseDropsTheEdit) {
  open(BROWSE_HOME, "");
  type("x");
  press("UpDir");
  EXPECT_EQ(no_such_dir, 1);
  EXPECT_EQ(browser_open, 1);
  press("close");
  EXPECT_EQ(home_dir, root);
}

TEST_F(Browser, AnUnreadableDirectoryShowsEmpty) {
  std::ofstream("sub/inside.ses");
  fs::create_directory("gone");
  open(BROWSE_LOAD_SES, "");
  press_row("gone");
  fs::remove("gone");  // removed since it was listed: entering it says why it failed
  testing::internal::CaptureStderr();
  press_row("gone");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "gone: No such file or directory\n");
  EXPECT_EQ(cwd(), root);
  testing::internal::CaptureStderr();
  press_row("sub", 2);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  ASSERT_EQ(find_entry("inside.ses", entry_count), 0);
  // Entered, then no longer readable (as it is gone, or execute-only for a
  // user): the rows of the old listing must not stay to be clicked.
  fs::remove_all(root + "/sub");
  update_listing();
  EXPECT_EQ(entry_count, 0);
  click_cell(browser_layout, "rows");
  EXPECT_EQ(sel_entry, -1);
}

// What the reader refuses, and that the table stays, is the readers' own test.
TEST_F(Browser, AShaderCodeFileTheReaderRefusesKeepsTheBrowserOpenWithANotice) {
  std::ofstream("huge.rcf");
  fs::resize_file("huge.rcf", 65 << 20);  // sparse: costs no disk
  open(BROWSE_LOAD_CODE, "");
  testing::internal::CaptureStderr();
  press_row("huge.rcf", 2);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(read_failed, 1);
  EXPECT_EQ(browser_open, 1);
}

TEST_F(Browser, AShaderCodeFileLoadsByItsTypedName) {
  std::ofstream("plain.rcf") << "*shader matte\nSurface \"matte\"\n*end\n**end\n";
  open(BROWSE_LOAD_CODE, "plain");
  press("field", 2);
  EXPECT_EQ(browser_open, 0);
  EXPECT_STREQ(CodeTable[1].code_name, "matte");
  EXPECT_EQ(code_dir, root);
}
