// Hover and click sequences on the top bar, its menus and the dialogs.
#include "panels/menus.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/scene.h"
#include "app/startup.h"
#include "app/window.h"
#include "browser/browser.h"
#include "input/input.h"
#include "io/code_table.h"

namespace fs = std::filesystem;

namespace {

constexpr int W = 600, H = 500, W2 = 300, H2 = 250;

class Menus : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/silmod_menus_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = fs::canonical(pattern);
    old_ = fs::current_path();
    fs::current_path(dir_);
    reset_all();
    win_width = W;
    win_height = H;
  }
  void TearDown() override {
    fs::current_path(old_);
    fs::remove_all(dir_);
  }
  fs::path dir_, old_;
};

// A left click through the window's mouse callback.
void press(int x, int y) {
  mouse_3d(0, 0, x, y);
  mouse_3d(0, 1, x, y);
}

int add(int type) {
  new_type = type;
  create_object();
  return current_record;
}

void give_silhouette(int i, int points, float offset) {
  ObjectRecord& r = ObjectTable[i];
  r.silend = points - 1;
  for (int k = 0; k < points; k++) {
    r.silpix[k][0] = 10.0f * k + offset;
    r.silpix[k][1] = 5.0f * k;
    r.sil[k][0] = r.silpix[k][0] / 20;
    r.sil[k][1] = r.silpix[k][1] / 20;
  }
}

}  // namespace

TEST_F(Menus, HoverOpensOneMenuAtATimeAndHighlightsEntries) {
  motion_3d(W2 - 30, 5);  // onto the "i/o menu" title
  EXPECT_EQ(io_title_hot, 1);
  EXPECT_EQ(io_menu_open, 1);
  motion_3d(W2 - 30, 45);  // down the entries
  EXPECT_EQ(io_item, 2);
  motion_3d(W2 + 45, 125);
  EXPECT_EQ(io_item, 6);
  EXPECT_EQ(io_menu_open, 1);

  motion_3d(W2 - 100, 5);  // onto "misc": it opens, the other closes
  EXPECT_EQ(misc_title_hot, 1);
  EXPECT_EQ(misc_menu_open, 1);
  EXPECT_EQ(io_title_hot, 0);
  EXPECT_EQ(io_menu_open, 0);
  motion_3d(W2 + 25, 69);
  EXPECT_EQ(misc_item, 3);
  motion_3d(W2, 180);  // lower, but within reach: still open
  EXPECT_EQ(misc_menu_open, 1);

  motion_3d(W2 + 100, 201);  // below 200 closes both
  EXPECT_EQ(misc_menu_open, 0);
  EXPECT_EQ(io_menu_open, 0);
  // The title stays lit until the pointer passes below it with the menu closed.
  EXPECT_EQ(misc_title_hot, 1);
  motion_3d(W2, 150);
  EXPECT_EQ(misc_title_hot, 0);
  EXPECT_EQ(misc_item, 0);

  // While the browser is open hovering opens nothing.
  browser_open = 1;
  motion_3d(W2 - 30, 5);
  motion_3d(W2 - 100, 5);
  EXPECT_EQ(io_menu_open + misc_menu_open, 0);
}

TEST_F(Menus, TitleClicksToggleTheirMenu) {
  EXPECT_TRUE(menu_click(0, 0, W2 - 60, 3));
  EXPECT_EQ(io_menu_open, 1);
  EXPECT_TRUE(menu_click(0, 0, W2 - 125, 3));  // "misc" opens and closes "i/o menu"
  EXPECT_EQ(misc_menu_open, 1);
  EXPECT_EQ(io_menu_open, 0);
  EXPECT_TRUE(menu_click(0, 0, W2 - 125, 3));
  EXPECT_EQ(misc_menu_open, 0);
  // Only left presses count; a miss is handed on to the panels.
  EXPECT_FALSE(menu_click(0, 1, W2 - 60, 3));
  EXPECT_FALSE(menu_click(2, 0, W2 - 60, 3));
  EXPECT_FALSE(menu_click(0, 0, W2 + 40, 3));
  EXPECT_EQ(io_menu_open + misc_menu_open, 0);
}

TEST_F(Menus, IoEntriesOpenTheBrowserInTheirModeAndDirectory) {
  fs::create_directories(dir_ / "ses_in");
  fs::create_directories(dir_ / "ses_out");
  fs::create_directories(dir_ / "rib");
  fs::create_directories(dir_ / "c");
  fs::create_directories(dir_ / "code");
  std::snprintf(ses_load_dir, DIR_SIZE, "%s", (dir_ / "ses_in").c_str());
  std::snprintf(ses_save_dir, DIR_SIZE, "%s", (dir_ / "ses_out").c_str());
  std::snprintf(rib_dir, DIR_SIZE, "%s", (dir_ / "rib").c_str());
  std::snprintf(c_dir, DIR_SIZE, "%s", (dir_ / "c").c_str());
  std::snprintf(code_dir, DIR_SIZE, "%s", (dir_ / "code").c_str());

  struct Case {
    int entry;
    int* mode;
    const char* name;
    fs::path dir;
  } cases[] = {{2, &browse_load_ses, "", dir_ / "ses_in"},
               {3, &browse_save_ses, "untitled.ses", dir_ / "ses_out"},
               {4, &browse_save_rib, "untitled.rib", dir_ / "rib"},
               {5, &browse_save_c, "untitled.c", dir_ / "c"},
               {6, &browse_load_code, "", dir_ / "code"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entry);
    std::strcpy(file_name, "leftover");
    io_menu_open = 1;
    press(W2 - 50, 20 * c.entry + 9);
    EXPECT_EQ(*c.mode, 1);
    EXPECT_EQ(browse_load_ses + browse_save_ses + browse_save_rib + browse_save_c +
                  browse_load_code + browse_home,
              1);
    EXPECT_STREQ(file_name, c.name);
    EXPECT_EQ(browser_open, 1);
    EXPECT_EQ(io_menu_open, 0);
    EXPECT_EQ(fs::current_path(), c.dir);
    EXPECT_EQ(fs::path(current_dir), c.dir);
    // The open browser shuts the menus out.
    io_menu_open = 1;
    EXPECT_FALSE(menu_click(0, 0, W2 - 50, 20 * c.entry));
    browser_open = 0;
    browse_load_ses = browse_save_ses = browse_save_rib = browse_save_c = browse_load_code = 0;
  }

  // "reset home dir" keeps the working directory and remembers the home.
  fs::current_path(dir_);
  std::strcpy(home_dir, "/somewhere/else");
  io_menu_open = 1;
  press(W2 + 5, 20);  // just right of its entry: nothing
  EXPECT_EQ(browser_open, 0);
  EXPECT_EQ(io_menu_open, 1);
  press(W2 + 4, 20);
  EXPECT_EQ(browse_home, 1);
  EXPECT_STREQ(saved_home, "/somewhere/else");
  EXPECT_EQ(fs::current_path(), dir_);

  // The last entry reaches further right than the others; a vanished mode
  // directory leaves the working directory where it was.
  browser_open = browse_home = 0;
  std::strcpy(code_dir, "/no/such/dir");
  io_menu_open = 1;
  EXPECT_FALSE(menu_click(0, 0, W2 + 60, 100));
  press(W2 + 149, 120);
  EXPECT_EQ(browse_load_code, 1);
  EXPECT_EQ(fs::current_path(), dir_);
}

TEST_F(Menus, MiscEntries) {
  auto misc = [](int k) {
    misc_menu_open = 1;
    press(W2 - 100, 20 * k);
  };
  misc(1);
  EXPECT_EQ(show_lights, 1);
  EXPECT_EQ(misc_menu_open, 1);  // stays open, the label changes
  misc(3);
  EXPECT_EQ(view_cluster, 1);
  EXPECT_EQ(misc_menu_open, 1);
  misc(1);
  misc(3);
  EXPECT_EQ(show_lights + view_cluster, 0);

  int a = add(TYPE_SPHERE);
  ObjectTable[a].color[0] = 0.3f;
  ObjectTable[a].shine = 0.25f;
  give_silhouette(a, 4, 0);
  int b = add(TYPE_BOX);
  give_silhouette(b, 2, 7);
  const ObjectRecord before = ObjectTable[b];

  // Pasting before anything was copied only closes the menu.
  misc(5);
  EXPECT_EQ(misc_menu_open, 0);
  misc(7);
  EXPECT_EQ(std::memcmp(&ObjectTable[b], &before, sizeof before), 0);

  // "copy silhouette" copies the whole record: its colour can be pasted.
  current_record = a;
  load_edit_buffer();
  misc(6);
  EXPECT_EQ(misc_menu_open, 0);
  current_record = b;
  load_edit_buffer();
  misc(5);
  EXPECT_FLOAT_EQ(ObjectTable[b].color[0], 0.3f);
  EXPECT_FLOAT_EQ(ObjectTable[b].shine, 0.25f);
  EXPECT_EQ(edit_color[0], static_cast<unsigned char>(0.3f * 255));
  EXPECT_EQ(ObjectTable[b].silend, 1);  // the silhouette stays
  // ... and "paste silhouette" takes its points.
  misc(7);
  EXPECT_EQ(ObjectTable[b].silend, 3);
  EXPECT_FLOAT_EQ(ObjectTable[b].silpix[3][0], 30.0f);

  // "delete all objects" only asks.
  misc(2);
  EXPECT_EQ(confirm_delete_all, 1);
  EXPECT_EQ(misc_menu_open, 0);
  EXPECT_EQ(last_record, b);
}

TEST_F(Menus, PasteSilhouetteInClusterModeChangesOnlyEqualMembers) {
  int src = add(TYPE_REVOLUTION);
  give_silhouette(src, 5, 100);
  int cur = add(TYPE_REVOLUTION);
  int same = add(TYPE_REVOLUTION);
  int other = add(TYPE_REVOLUTION);
  int outside = add(TYPE_REVOLUTION);
  give_silhouette(cur, 3, 0);
  give_silhouette(same, 3, 0.005f);  // within 0.01 pixels
  give_silhouette(other, 3, 1);
  give_silhouette(outside, 3, 0);
  ClusterTable[cur] = ClusterTable[same] = ClusterTable[other] = 1;
  cluster_mode = 1;

  current_record = src;
  copy_to_copy_buffer(src);
  copy_valid = 1;
  current_record = cur;
  load_edit_buffer();
  misc_menu_open = 1;
  press(W2, 140);

  EXPECT_EQ(ObjectTable[cur].silend, 4);
  EXPECT_EQ(ObjectTable[same].silend, 4);
  EXPECT_FLOAT_EQ(ObjectTable[same].silpix[4][0], 140.0f);
  EXPECT_EQ(ObjectTable[other].silend, 2);    // different points
  EXPECT_EQ(ObjectTable[outside].silend, 2);  // not a member
}

TEST_F(Menus, ConfirmationsAnsweredYesAndNo) {
  const int yes_x = W2 - 40, no_x = W2 + 30, y = H2 - 15;
  add(TYPE_BOX);
  add(TYPE_CONE);

  // A click beside the choices changes nothing.
  confirm_delete = 1;
  press(W2 - 10, y);
  press(yes_x, H2 + 5);
  EXPECT_EQ(confirm_delete, 1);
  press(no_x, y);
  EXPECT_EQ(confirm_delete, 0);
  EXPECT_EQ(last_record, 7);
  confirm_delete = 1;
  press(yes_x, y);
  EXPECT_EQ(confirm_delete, 0);
  EXPECT_EQ(last_record, 6);
  EXPECT_EQ(current_record, 6);

  // In cluster mode "yes" deletes the cluster.
  add(TYPE_SPHERE);
  add(TYPE_SPHERE);
  ClusterTable[7] = ClusterTable[8] = 1;
  cluster_mode = 1;
  confirm_delete = 1;
  press(yes_x, y);
  EXPECT_EQ(last_record, 6);
  EXPECT_EQ(current_record, 0);
  cluster_mode = 0;

  confirm_delete_all = 1;
  press(no_x, y);
  EXPECT_EQ(last_record, 6);
  confirm_delete_all = 1;
  press(yes_x, y);
  EXPECT_EQ(confirm_delete_all, 0);
  EXPECT_EQ(last_record, 5);
  EXPECT_EQ(current_record, 5);
  EXPECT_STREQ(ObjectTable[0].name, "ambient");

  code_count = 2;
  CodeTable[1].line_count = 3;
  CodeBindingTable[0] = 1;
  CodeBindingTable[75] = 2;
  confirm_unbind = 1;
  press(no_x, y);
  EXPECT_EQ(CodeBindingTable[75], 2);
  confirm_unbind = 1;
  press(yes_x, y);
  EXPECT_EQ(confirm_unbind, 0);
  EXPECT_EQ(code_count, 0);
  EXPECT_EQ(CodeBindingTable[0], 0);
  EXPECT_EQ(CodeBindingTable[75], 0);
  EXPECT_EQ(CodeTable[0].line_count, 1);  // "no code" stays
}

TEST_F(Menus, SeveralDialogsAreAnsweredInTheirOrder) {
  too_many_points = not_in_cluster = too_many_objects = confirm_unbind = 1;
  choose_ext_type = 1;
  press(W2 + 10, H2 + 20);  // "OK" is no answer to the unbind question
  EXPECT_EQ(confirm_unbind, 1);
  press(W2 + 30, H2 - 15);
  EXPECT_EQ(confirm_unbind, 0);
  press(W2 - 50, H2 - 15);  // beside "OK": nothing
  EXPECT_EQ(too_many_objects, 1);
  press(W2, H2);
  EXPECT_EQ(too_many_objects, 0);
  EXPECT_EQ(not_in_cluster, 1);
  press(W2 + 19, H2 + 29);
  EXPECT_EQ(not_in_cluster, 0);
  EXPECT_EQ(too_many_points, 1);
  press(W2 - 19, H2 - 29);
  EXPECT_EQ(too_many_points, 0);
  EXPECT_EQ(choose_ext_type, 1);
  // Releases and other buttons never answer.
  dialog_click(0, 1, W2 - 40, H2 - 15);
  dialog_click(2, 0, W2 - 40, H2 - 15);
  EXPECT_EQ(choose_ext_type, 1);
  EXPECT_EQ(last_record, 5);
  // While a dialog is up the menus do not react.
  EXPECT_FALSE(menu_click(0, 0, W2 - 60, 3));
  EXPECT_EQ(io_menu_open, 0);
}

TEST_F(Menus, ExtrusionChoiceCreatesAndWritesTheBackup) {
  choose_ext_type = 1;
  press(W2 - 40, H2 - 15);  // "unit"
  EXPECT_EQ(choose_ext_type, 0);
  EXPECT_EQ(last_record, 6);
  EXPECT_EQ(ObjectTable[6].surfacetype, TYPE_EXTRUSION);
  EXPECT_STREQ(ObjectTable[6].name, "extrusion");
  EXPECT_TRUE(fs::exists("backup.ses"));
  fs::remove("backup.ses");

  choose_ext_type = 1;
  press(W2 + 30, H2 - 15);  // "separates"
  ASSERT_EQ(last_record, 9);
  EXPECT_STREQ(ObjectTable[7].name, "openext");
  EXPECT_STREQ(ObjectTable[8].name, "fface");
  EXPECT_STREQ(ObjectTable[9].name, "bface");
  EXPECT_EQ(new_type, TYPE_BFACE);
  EXPECT_EQ(cluster_mode, 1);
  EXPECT_EQ(ClusterTable[6] + ClusterTable[7] + ClusterTable[8] + ClusterTable[9], 3);
  EXPECT_TRUE(fs::exists("backup.ses"));
}

TEST_F(Menus, SeparatesNeedRoomForAllThreeParts) {
  while (last_record < LAST_INDEX - 1) add(TYPE_BOX);
  fs::remove("backup.ses");
  choose_ext_type = 1;
  press(W2 + 30, H2 - 15);
  EXPECT_EQ(last_record, LAST_INDEX - 1);  // nothing half made
  EXPECT_EQ(cluster_mode, 0);
  EXPECT_EQ(choose_ext_type, 0);
  EXPECT_EQ(too_many_objects, 1);
  EXPECT_TRUE(fs::exists("backup.ses"));  // written even when refused
  // "unit" still fits.
  press(W2, H2);
  choose_ext_type = 1;
  press(W2 - 40, H2 - 15);
  EXPECT_EQ(last_record, LAST_INDEX);
}
