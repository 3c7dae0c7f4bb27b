// The top bar's menus and the dialogs through their own cells.
#include "panels/menus.h"

#include <cstring>

#include "browser/browser.h"
#include "io/code_table.h"
#include "support/cells.h"
#include "support/ui_scene.h"

namespace fs = std::filesystem;

static void hover(const char* cell) {
  const auto [x, y] = cell_point(menu_layout, cell);
  menu_hover(x, y);
}
static void io(const char* entry) {
  io_menu_open = 1;
  click_cell(menu_layout, entry);
}
static void misc(const char* entry) {
  misc_menu_open = 1;
  click_cell(menu_layout, entry);
}
static void answer(const char* cell) { click_cell(dialog_layout, cell); }
// A new record whose silhouette has n points along x, starting at offset.
static int add(int type, int n, float offset) {
  new_type = type;
  create_object();
  ObjectRecord& r = ObjectTable[current_record];
  r.silend = n - 1;
  for (int k = 0; k < n; k++) r.sil[k][0] = (r.silpix[k][0] = 10.0f * k + offset) / 20;
  return current_record;
}

using Menus = UiScene<>;
using Dialogs = UiScene<2>;

TEST_F(Menus, HoveringATitleOpensItsMenuAndClosesTheOther) {
  hover("i/o open");
  EXPECT_EQ(io_menu_open, 1);
  hover("misc open");
  EXPECT_EQ(misc_menu_open, 1);
  EXPECT_EQ(misc_title_hot, 1);
  EXPECT_EQ(io_menu_open, 0);
  EXPECT_EQ(io_title_hot, 0);
  menu_hover(300, 200);  // down to 200 pixels the menu stays open
  EXPECT_EQ(misc_menu_open, 1);
  menu_hover(300, 201);
  EXPECT_EQ(misc_menu_open, 0);
}

TEST_F(Menus, HoveringAnEntryHighlightsItUntilTheTitleCools) {
  hover("view");  // no title hot yet
  EXPECT_EQ(misc_item, 0);
  hover("i/o open");
  hover("load RIB code file");
  EXPECT_EQ(io_item, 6);
  io_menu_open = 0;  // closed by a click on the title
  hover("i/o leave");
  EXPECT_EQ(io_title_hot, 0);
  EXPECT_EQ(io_item, 0);
  hover("misc open");
  hover("view");
  EXPECT_EQ(misc_item, 3);
}

TEST_F(Menus, AClickOnATitleTogglesItsMenuAndAMissGoesOn) {
  EXPECT_TRUE(menu_click(0, 0, 250, 3));  // "i/o menu"
  EXPECT_EQ(io_menu_open, 1);
  EXPECT_TRUE(menu_click(0, 0, 250, 3));
  EXPECT_EQ(io_menu_open, 0);
  EXPECT_FALSE(menu_click(0, 0, 305, 3));  // right of the title
  EXPECT_TRUE(menu_click(0, 0, 219, 3));   // the right end of "misc"
  EXPECT_EQ(misc_menu_open, 1);
}

TEST_F(Menus, AClickRunsTheEntryThePointerHighlights) {
  misc_title_hot = io_title_hot = misc_menu_open = io_menu_open = 1;
  for (int y = 0; y < 150; y++) {
    const auto* io = cell_at(menu_layout, 290, y, 600, 500, IO_ENTRY);
    const auto* misc = cell_at(menu_layout, 200, y, 600, 500, MISC_ENTRY);
    menu_hover(290, y);
    EXPECT_EQ(io ? io->code : 0, io_item <= 6 ? io_item : 0) << "y " << y;
    menu_hover(200, y);
    EXPECT_EQ(misc ? misc->code : 0, misc_item <= 7 ? misc_item : 0) << "y " << y;
  }
}

TEST_F(Menus, EachIoEntryOpensTheBrowserInItsModeAndDirectory) {
  char* dirs[] = {ses_load_dir, ses_save_dir, rib_dir, c_dir, code_dir};
  int* modes[] = {&browse_load_ses, &browse_save_ses, &browse_save_rib, &browse_save_c,
                  &browse_load_code};
  const char* entries[] = {"load session", "save session", "save to rib", "save to gl",
                           "load RIB code file"};
  for (int k = 0; k < 5; k++) {
    const fs::path d = dir / std::to_string(k);
    fs::create_directory(d);
    std::strcpy(dirs[k], d.c_str());
    io(entries[k]);
    EXPECT_EQ(*modes[k], 1) << entries[k];
    EXPECT_EQ(browser_open, 1) << entries[k];
    EXPECT_EQ(io_menu_open, 0) << entries[k];
    EXPECT_EQ(fs::current_path(), d) << entries[k];
    close_browser();
  }
}

TEST_F(Menus, ResetHomeDirEndsLeftOfTheOthersAndStaysInTheDirectory) {
  std::strcpy(home_dir, "/elsewhere");
  io_menu_open = 1;
  menu_click(0, 0, 305, 20);
  EXPECT_EQ(browser_open, 0);
  menu_click(0, 0, 304, 20);
  EXPECT_EQ(browse_home, 1);
  EXPECT_EQ(fs::current_path(), dir);
  EXPECT_STREQ(saved_home, "/elsewhere");
}

TEST_F(Menus, LightSourcesAndViewSwitchAndKeepTheMenuOpen) {
  misc("light sources");
  misc_menu_open = 1;
  misc("view");
  EXPECT_EQ(show_lights, 1);
  EXPECT_EQ(view_cluster, 1);
  EXPECT_EQ(misc_menu_open, 1);
  misc("delete all objects");
  EXPECT_EQ(confirm_delete_all, 1);
  EXPECT_EQ(misc_menu_open, 0);
}

TEST_F(Menus, PastesBeforeAnyCopyOnlyCloseTheMenu) {
  const int b = add(TYPE_BOX, 2, 7);
  const ObjectRecord before = ObjectTable[b];
  misc("paste color properties");
  misc("paste silhouette");
  EXPECT_EQ(misc_menu_open, 0);
  EXPECT_EQ(std::memcmp(&ObjectTable[b], &before, sizeof before), 0);
}

TEST_F(Menus, BothCopiesTakeTheWholeRecord) {
  const int a = add(TYPE_SPHERE, 4, 0);
  ObjectTable[a].color[0] = 0.3f;
  const int b = add(TYPE_BOX, 2, 7);
  current_record = a;
  misc("copy silhouette");
  current_record = b;
  misc("paste color properties");
  EXPECT_EQ(edit_color[0], 76);
  EXPECT_EQ(ObjectTable[b].silend, 1);
  misc("copy color properties");
  current_record = a;
  misc("paste silhouette");
  EXPECT_EQ(ObjectTable[a].silend, 1);
}

TEST_F(Menus, APastedSilhouetteReachesTheMembersThatWereEqualToTheCurrent) {
  const int source = add(TYPE_REVOLUTION, 4, 0);
  misc("copy silhouette");
  const int cur = add(TYPE_REVOLUTION, 3, 0);
  add(TYPE_REVOLUTION, 3, 1), add(TYPE_REVOLUTION, 3, 0), add(TYPE_REVOLUTION, 3, 0.005f);
  ClusterTable[cur] = ClusterTable[cur + 1] = ClusterTable[cur + 3] = cluster_mode = 1;
  current_record = cur;
  misc("paste silhouette");
  EXPECT_EQ(ObjectTable[cur].silend, 3);
  EXPECT_EQ(ObjectTable[cur + 3].silend, 3) << "equal member";
  EXPECT_EQ(ObjectTable[cur + 3].silpix[3][0], ObjectTable[source].silpix[3][0]);
  EXPECT_EQ(ObjectTable[cur + 1].silend, 2) << "member of another silhouette";
  EXPECT_EQ(ObjectTable[cur + 2].silend, 2) << "no member";
}

TEST_F(Dialogs, TheFirstRaisedDialogTakesTheAnswer) {
  confirm_delete = confirm_delete_all = 1;
  dialog_click(0, 0, 290, 235);  // between the choices
  EXPECT_EQ(confirm_delete, 1);
  answer("no");
  EXPECT_EQ(confirm_delete, 0);
  EXPECT_EQ(confirm_delete_all, 1);
  EXPECT_EQ(last_record, 7);
}

TEST_F(Dialogs, YesDeletesTheObjectTheClusterOrAll) {
  confirm_delete = 1;
  answer("yes");
  EXPECT_EQ(last_record, 6);
  create_object(), create_object();
  ClusterTable[6] = ClusterTable[8] = cluster_mode = confirm_delete = 1;
  answer("yes");
  EXPECT_EQ(last_record, 6);
  confirm_delete_all = 1;
  answer("yes");
  EXPECT_EQ(last_record, LAST_LIGHT);
  EXPECT_EQ(current_record, LAST_LIGHT);
}

TEST_F(Dialogs, YesToUnbindEmptiesTheCodesAndEveryBinding) {
  confirm_unbind = 1;
  CodeBindingTable[0] = CodeBindingTable[75] = code_count = 2;
  answer("OK");  // no answer to a question
  EXPECT_EQ(confirm_unbind, 1);
  answer("yes");
  EXPECT_EQ(confirm_unbind, 0);
  EXPECT_EQ(CodeBindingTable[0], 0);
  EXPECT_EQ(CodeBindingTable[75], 0);
  EXPECT_EQ(code_count, 0);
  EXPECT_EQ(CodeTable[0].line_count, 1);
}

TEST_F(Dialogs, NoticesCloseWithOkOneAfterTheOther) {
  too_many_objects = not_in_cluster = too_many_points = 1;
  answer("OK");
  EXPECT_EQ(too_many_objects, 0);
  EXPECT_EQ(not_in_cluster, 1);
  dialog_click(0, 0, 319, 279);  // the corner of "OK"
  EXPECT_EQ(not_in_cluster, 0);
  dialog_click(0, 0, 320, 250);
  EXPECT_EQ(too_many_points, 1);
}

TEST_F(Dialogs, UnitMakesOneExtrusionAndSeparatesThreePartsAsTheCluster) {
  choose_ext_type = 1;
  answer("yes");
  EXPECT_STREQ(ObjectTable[8].name, "extrusion");
  EXPECT_TRUE(written("backup.ses"));
  choose_ext_type = 1;
  answer("no");
  ASSERT_EQ(last_record, 11);
  EXPECT_STREQ(ObjectTable[11].name, "bface");
  for (int i = 9; i <= 11; i++) EXPECT_EQ(ClusterTable[i], 1) << i;
  EXPECT_EQ(choose_ext_type, 0);
  EXPECT_TRUE(written("backup.ses"));
}

TEST_F(Dialogs, SeparatesWithoutRoomForThreeMakesNone) {
  while (last_record < LAST_INDEX - 1) create_object();
  choose_ext_type = 1;
  answer("no");
  EXPECT_EQ(last_record, LAST_INDEX - 1);
  EXPECT_EQ(too_many_objects, 1);
}
