#include "panels/menus.h"

#include <cstring>

#include "browser/browser.h"
#include "input/ui_fixture.h"
#include "io/code_table.h"

constexpr int W2 = 300, H2 = 250;  // half the window size
constexpr int YES = W2 - 40, NO = W2 + 30, ANSWER_Y = H2 - 15;
static void misc(std::initializer_list<int> entries) {
  for (int k : entries) misc_menu_open = 1, click({{0, W2 - 100, 20 * k}});
}
// A new record whose silhouette has n points along x, starting at offset.
static int add(int type, int n, float offset) {
  new_type = type;
  create_object();
  ObjectRecord& r = ObjectTable[current_record];
  r.silend = n - 1;
  for (int k = 0; k < n; k++) r.sil[k][0] = (r.silpix[k][0] = 10.0f * k + offset) / 20;
  return current_record;
}

using Menus = UiTest<>;

TEST_F(Menus, HoverAndTheIoEntries) {
  motion_3d(W2 - 30, 5);
  motion_3d(W2 + 45, 125);
  EXPECT_EQ(state(io_menu_open, io_item), state(1, 6));
  motion_3d(W2 - 100, 5);  // the other title opens its menu and closes this one
  EXPECT_EQ(state(misc_menu_open, misc_title_hot, io_menu_open, io_title_hot), state(1, 1, 0, 0));
  motion_3d(W2 + 25, 69);
  motion_3d(W2 + 100, 201);  // below 200 the menus close
  EXPECT_EQ(state(misc_item, misc_menu_open), state(3, 0));
  // Title clicks toggle; a miss goes on to the panels.
  EXPECT_TRUE(menu_click(0, 0, W2 - 60, 3));
  EXPECT_TRUE(menu_click(0, 0, W2 - 60, 3));
  EXPECT_FALSE(menu_click(0, 0, W2 + 40, 3));
  EXPECT_EQ(io_menu_open, 0);
  char* dirs[] = {ses_load_dir, ses_save_dir, rib_dir, c_dir, code_dir};
  int* modes[] = {&browse_load_ses, &browse_save_ses, &browse_save_rib, &browse_save_c,
                  &browse_load_code};
  for (int k = 0; k < 5; k++) {
    const fs::path d = dir / std::to_string(k);
    fs::create_directory(d);
    std::strcpy(dirs[k], d.c_str());
    io_menu_open = 1;
    click({{0, W2 + 49, 20 * (k + 2) - 10}});
    EXPECT_EQ(state(k, *modes[k], browser_open, io_menu_open, fs::current_path() == d),
              state(k, 1, 1, 0, true));
    close_browser();
  }
  // "reset home dir" ends at W/2 + 5, keeps the directory, remembers the home.
  std::strcpy(home_dir, "/elsewhere");
  io_menu_open = 1;
  click({{0, W2 + 5, 20}});
  EXPECT_EQ(browser_open, 0);
  click({{0, W2 + 4, 20}});
  EXPECT_EQ(state(browse_home, fs::current_path() == dir / "4"), state(1, true));
  EXPECT_STREQ(saved_home, "/elsewhere");
}

TEST_F(Menus, MiscEntries) {
  misc({1, 3});
  EXPECT_EQ(state(show_lights, view_cluster, misc_menu_open), state(1, 1, 1));  // still open
  const int a = add(TYPE_SPHERE, 4, 0);
  ObjectTable[a].color[0] = 0.3f;
  const int b = add(TYPE_BOX, 2, 7);
  const ObjectRecord before = ObjectTable[b];
  misc({5, 7});  // pastes before any copy only close the menu
  EXPECT_EQ(state(misc_menu_open, std::memcmp(&ObjectTable[b], &before, sizeof before)),
            state(0, 0));
  // After "copy silhouette", "paste color properties" pastes the colour, not the silhouette.
  current_record = a;
  misc({6});
  current_record = b;
  misc({5, 2});
  EXPECT_EQ(state(edit_color[0], ObjectTable[b].silend), state(76, 1));
  EXPECT_EQ(state(confirm_delete_all, last_record), state(1, b));
  confirm_delete_all = 0;
  // A silhouette pasted in cluster mode goes only to the members equal to the current:
  // records cur (current), cur + 1 (equal), cur + 2 (a member, not equal), cur + 3 (outside).
  const int cur = add(TYPE_REVOLUTION, 3, 0);
  add(TYPE_REVOLUTION, 3, 0.005f), add(TYPE_REVOLUTION, 3, 1), add(TYPE_REVOLUTION, 3, 0);
  ClusterTable[cur] = ClusterTable[cur + 1] = ClusterTable[cur + 2] = cluster_mode = 1;
  current_record = cur;
  misc({7});
  const ObjectRecord* r = &ObjectTable[cur];
  EXPECT_EQ(state(r[0].silend, r[1].silend, r[1].silpix[3][0], r[2].silend, r[3].silend),
            state(3, 3, 30, 2, 2));
}

TEST_F(Menus, DialogsAnsweredInTheirOrderAndTheExtrusionChoice) {
  add(TYPE_BOX, 0, 0), add(TYPE_CONE, 0, 0);
  confirm_delete = confirm_delete_all = confirm_unbind = too_many_objects = 1;
  not_in_cluster = too_many_points = 1;
  CodeBindingTable[75] = code_count = 2;
  click({{0, W2 - 10, ANSWER_Y}, {0, NO, ANSWER_Y}});  // between the choices: nothing; then "no"
  EXPECT_EQ(state(confirm_delete, last_record), state(0, 7));
  click({{0, YES, ANSWER_Y}});  // "delete all?"
  EXPECT_EQ(state(confirm_delete_all, last_record, current_record), state(0, 5, 5));
  click({{0, W2, H2 + 20}, {0, YES, ANSWER_Y}});  // "OK" is no answer to a question; "yes"
  EXPECT_EQ(state(CodeBindingTable[75], code_count, confirm_unbind), state(0, 0, 0));
  EXPECT_EQ(CodeTable[0].line_count, 1);
  click({{0, W2 + 19, H2 + 29}});
  EXPECT_EQ(state(too_many_objects, not_in_cluster, too_many_points), state(0, 1, 1));
  click({{0, W2 - 19, H2 - 29}, {0, W2, H2}});
  EXPECT_EQ(state(not_in_cluster, too_many_points), state(0, 0));
  choose_ext_type = 1;
  click({{0, YES, ANSWER_Y}});  // "unit"
  EXPECT_STREQ(ObjectTable[6].name, "extrusion");
  EXPECT_TRUE(written("backup.ses"));
  choose_ext_type = 1;
  click({{0, NO, ANSWER_Y}});  // "separates": three parts, the cluster
  ASSERT_EQ(last_record, 9);
  EXPECT_STREQ(ObjectTable[9].name, "bface");
  EXPECT_EQ(state(ClusterTable[7], ClusterTable[8], ClusterTable[9], cluster_mode, choose_ext_type,
                  written("backup.ses")),
            state(1, 1, 1, 1, 0, true));
  // Without room for all three parts none is made.
  while (last_record < LAST_INDEX - 1) add(TYPE_BOX, 0, 0);
  cluster_mode = 0;
  choose_ext_type = 1;
  click({{0, NO, ANSWER_Y}});
  EXPECT_EQ(state(last_record, too_many_objects, cluster_mode, written("backup.ses")),
            state(LAST_INDEX - 1, 1, 0, true));
}
