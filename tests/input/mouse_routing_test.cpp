#include "browser/browser.h"
#include "input/ui_fixture.h"
#include "io/code_table.h"
#include "panels/object_panel.h"
#include "panels/overlay.h"

// Whether a right press at (x, y) reaches the scene, where it toggles the panels.
static bool reaches_scene(int x, int y) {
  const int before = panels_shown;
  mouse_3d(2, 0, x, y);
  return std::exchange(panels_shown, before) != before;
}

using Routing = UiTest<2>;

TEST_F(Routing, RegionsBoundariesAndTheOrderOfTheStages) {
  // 25-pixel bands at top and bottom, 150 at the sides; the object panel to
  // x 164 and y 204, the lights panel from x 436.
  const std::tuple<int, int, bool> points[] = {
      {300, 25, false}, {300, 26, true},   {300, 474, true},  {300, 475, false}, {150, 250, false},
      {151, 250, true}, {449, 250, true},  {450, 250, false}, {164, 204, false}, {165, 204, true},
      {164, 205, true}, {436, 100, false}, {435, 100, true}};
  for (const auto& [x, y, scene] : points) EXPECT_EQ(reaches_scene(x, y), scene) << x << "," << y;
  click({{2, 300, 250}});  // the release does not toggle back
  EXPECT_EQ(panels_shown, 0);
  // The object list: right of x 480, below y 276, coordinates shifted.
  click({{0, 480, 300}, {0, 481, 276}});
  EXPECT_EQ(state(cluster_mode, current_record), state(0, 7));
  click({{0, 520, 277}, {0, 540, 292}});  // the header toggles the mode; the first row is 6
  EXPECT_EQ(state(cluster_mode, current_record), state(1, 6));
  too_many_objects = 1;
  click({{0, 90, 50}});  // the object panel's rotation y
  EXPECT_FALSE(reaches_scene(200, 250));
  click({{0, 300, 250}});  // the dialog's "OK"
  EXPECT_EQ(state(panel_field, too_many_objects), state(FIELD_ANGLE_X, 0));
  browser_open = 1;  // takes the right half, ignores the left
  click({{0, 90, 50}, {0, 540, 292}});
  EXPECT_FALSE(reaches_scene(300, 250));
  EXPECT_EQ(state(panel_field, current_record, highlight_current), state(FIELD_ANGLE_X, 6, 0));
  browser_open = 0;
  code_list_shown = 1;  // takes x < 180: row 2 binds entry 2, rows past code_count nothing
  code_count = 2;
  click({{0, 179, 45}, {0, 100, 60}});
  EXPECT_EQ(CodeBindingTable[6], 2);
  EXPECT_TRUE(reaches_scene(200, 20));  // and the scene gains the top band
  code_list_shown = 0;
  EXPECT_FALSE(reaches_scene(200, 20));
  win_width = 300;  // an open menu's entry covers the "ext" button
  io_menu_open = 1;
  mouse_3d(0, 0, 100, 25);
  EXPECT_EQ(state(browser_open, choose_ext_type), state(1, 0));
  browser_open = 0;
  mouse_3d(0, 0, 100, 25);
  EXPECT_EQ(choose_ext_type, 1);
}

TEST_F(Routing, GroundPointsSnapAndTheClusterMovesAsOne) {
  const float snaps[][2] = {{0.25f, 0.2f},   {0.27f, 0.3f}, {-0.27f, -0.3f},
                            {-0.23f, -0.2f}, {1.96f, 2.0f}, {-0.05f, 0.0f}};
  for (const auto& s : snaps) EXPECT_FLOAT_EQ(snap_tenth(s[0]), s[1]) << s[0];
  create_object();
  for (int i = 6; i <= 8; i++) ObjectTable[i].position[0] = static_cast<float>(i);
  cluster_mode = 1;
  place_on_ground(0.0f, 0.0f);  // the current record 8 is not marked
  EXPECT_EQ(state(not_in_cluster, ObjectTable[8].position[0]), state(1, 8));
  ClusterTable[7] = ClusterTable[8] = 1;
  place_on_ground(9.5f, -1.0f);  // moves by (1.5, -1)
  const float* p7 = ObjectTable[7].position;
  EXPECT_EQ(state(p7[0], p7[2], edit_position[0], ObjectTable[6].position[0]),
            state(8.5, -1, 9.5, 6));
}
