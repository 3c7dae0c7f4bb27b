#include "browser/browser.h"
#include "input/ui_fixture.h"
#include "io/code_table.h"
#include "panels/object_panel.h"
#include "panels/overlay.h"

// Whether a right click at (x, y) reaches the scene, where its press (not its
// release too) toggles the panels.
static bool reaches_scene(int x, int y) {
  const int before = panels_shown;
  click({{2, x, y}});
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
  // The object list: right of x 480, below y 276, coordinates shifted.
  click({{0, 480, 300}, {0, 481, 276}});
  EXPECT_EQ(state(cluster_mode, current_record), state(0, 7));
  click({{0, 520, 277}, {0, 540, 292}});  // the header toggles the mode; the first row is 6
  EXPECT_EQ(state(cluster_mode, current_record), state(1, 6));
  too_many_objects = 1;
  click({{0, 90, 50}, {0, 300, 250}});  // the object panel's rotation y, then the dialog's "OK"
  EXPECT_EQ(state(panel_field, too_many_objects), state(FIELD_ANGLE_X, 0));
  browser_open = 1;  // takes the right half, ignores the left
  click({{0, 90, 50}, {0, 540, 292}});
  EXPECT_FALSE(reaches_scene(300, 250));
  EXPECT_EQ(state(panel_field, current_record, highlight_current), state(FIELD_ANGLE_X, 6, 0));
  browser_open = 0;
  code_list_shown = 1, code_count = 2;  // takes x < 180: row 2 binds 2, rows past the count nothing
  click({{0, 179, 45}, {0, 100, 60}});
  EXPECT_EQ(CodeBindingTable[6], 2);
  EXPECT_TRUE(reaches_scene(200, 20));  // and the scene gains the top band
  code_list_shown = 0;
  EXPECT_FALSE(reaches_scene(200, 20));
}

TEST_F(Routing, GroundPointsSnapAndTheClusterMovesAsOne) {
  const float snaps[][2] = {{0.25f, 0.2f},   {0.27f, 0.3f}, {-0.27f, -0.3f},
                            {-0.23f, -0.2f}, {1.96f, 2.0f}, {-0.05f, 0.0f}};
  for (const auto& s : snaps) EXPECT_FLOAT_EQ(snap_tenth(s[0]), s[1]) << s[0];
  create_object();
  for (int i = 6; i <= 8; i++) ObjectTable[i].position[0] = static_cast<float>(i);
  cluster_mode = ClusterTable[7] = 1;
  place_on_ground(0.0f, 0.0f);  // the current record 8 is not marked
  EXPECT_EQ(state(not_in_cluster, ObjectTable[8].position[0]), state(1, 8));
  ClusterTable[8] = 1;
  place_on_ground(9.5f, -1.0f);  // moves by (1.5, -1)
  const float* p7 = ObjectTable[7].position;
  EXPECT_EQ(state(p7[0], p7[2], edit_position[0], ObjectTable[6].position[0]),
            state(8.5, -1, 9.5, 6));
}
