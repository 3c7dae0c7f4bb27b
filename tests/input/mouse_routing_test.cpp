// The "display" window's mouse router, clicked at window pixels as GLUT
// delivers them (600 x 500 window).
#include <utility>

#include "browser/browser.h"
#include "input/input.h"
#include "io/code_table.h"
#include "panels/object_panel.h"
#include "panels/overlay.h"
#include "render/render.h"
#include "support/ui_scene.h"

// Presses and releases a button at window pixel (x, y).
static void click(int button, int x, int y) {
  mouse_3d(button, 0, x, y);
  mouse_3d(button, 1, x, y);
}
// Whether a right click at (x, y) reaches the scene, where its press toggles the panels.
static bool reaches_scene(int x, int y) {
  const int before = panels_shown;
  click(2, x, y);
  return std::exchange(panels_shown, before) != before;
}

using Routing = UiScene<2>;

TEST_F(Routing, TheSceneLiesBetweenThePanelsAndTheEdgeBands) {
  // 25-pixel bands at top and bottom, 150 at the sides; the object panel to
  // x 164 and y 204, the lights panel from x 436.
  const std::tuple<int, int, bool> points[] = {
      {300, 25, false}, {300, 26, true},   {300, 474, true},  {300, 475, false}, {150, 250, false},
      {151, 250, true}, {449, 250, true},  {450, 250, false}, {164, 204, false}, {165, 204, true},
      {164, 205, true}, {436, 100, false}, {435, 100, true}};
  for (const auto& [x, y, scene] : points) EXPECT_EQ(reaches_scene(x, y), scene) << x << "," << y;
}

TEST_F(Routing, PanelsGetCoordinatesFromTheirOwnCorner) {
  click(0, 470, 65);  // the lights panel from x 440: "light3"
  EXPECT_EQ(current_record, 3);
  click(0, 480, 300);  // the object list from x 480, y 276: not yet
  click(0, 481, 276);
  EXPECT_EQ(cluster_mode, 0);
  click(0, 520, 277);  // its header
  EXPECT_EQ(cluster_mode, 1);
  click(0, 540, 292);  // its first row
  EXPECT_EQ(current_record, 6);
  click(0, 24, 286);  // the material panel's shine bar, 10 below the strip's top
  EXPECT_FLOAT_EQ(ObjectTable[6].shine, 0.2f);
  click(0, 130, 286);  // right of the material panel
  EXPECT_FLOAT_EQ(ObjectTable[6].shine, 0.2f);
}

TEST_F(Routing, ADialogTakesEveryClick) {
  too_many_objects = 1;
  click(0, 90, 50);  // the object panel's rotation y
  EXPECT_EQ(panel_field, FIELD_ANGLE_X);
  EXPECT_FALSE(reaches_scene(300, 150));
  click(0, 300, 250);  // "OK"
  EXPECT_EQ(too_many_objects, 0);
}

TEST_F(Routing, TheOpenBrowserTakesTheRightHalfAndNothingElse) {
  browser_open = browse_save_ses = 1;
  click(0, 90, 50);
  click(0, 300, 70);  // left of the middle: not the browser's "close"
  EXPECT_EQ(panel_field, FIELD_ANGLE_X);
  EXPECT_EQ(browser_open, 1);
  EXPECT_FALSE(reaches_scene(200, 250));
  click(0, 450, 70);  // "close"
  EXPECT_EQ(browser_open, 0);
}

TEST_F(Routing, TheCodeListTakesItsStripAndBindsTheClickedEntry) {
  code_list_shown = 1, code_count = 2;
  click(2, 179, 45);  // the right button binds nothing
  EXPECT_EQ(CodeBindingTable[7], 0);
  click(0, 179, 45);  // row 2
  EXPECT_EQ(CodeBindingTable[7], 2);
  click(0, 100, 60);  // row 3, past the loaded entries
  EXPECT_EQ(CodeBindingTable[7], 2);
  click(0, 100, 10);  // the title
  EXPECT_EQ(CodeBindingTable[7], 2);
}

TEST_F(Routing, WithTheCodeListTheSceneReachesToTheLeftEdge) {
  code_list_shown = 1;
  EXPECT_TRUE(reaches_scene(299, 20));
  EXPECT_FALSE(reaches_scene(300, 20));
  EXPECT_FALSE(reaches_scene(200, 475));
  code_list_shown = 0;
  EXPECT_FALSE(reaches_scene(200, 20));
}

TEST(SnapTenth, HundredthsUpToFiveRoundTowardZero) {
  const float snaps[][2] = {{0.25f, 0.2f},   {0.27f, 0.3f}, {-0.27f, -0.3f},
                            {-0.23f, -0.2f}, {1.96f, 2.0f}, {-0.05f, 0.0f}};
  for (const auto& s : snaps) EXPECT_FLOAT_EQ(snap_tenth(s[0]), s[1]) << s[0];
}

using Ground = UiScene<3>;

TEST_F(Ground, TheClusterMovesAsOneSoThatTheCurrentLandsOnThePoint) {
  for (int i = 6; i <= 8; i++) ObjectTable[i].position[0] = ObjectTable[i].position[2] = i;
  cluster_mode = ClusterTable[7] = ClusterTable[8] = 1;
  place_on_ground(9.5f, -1.0f);  // moves by (1.5, -9)
  EXPECT_FLOAT_EQ(ObjectTable[7].position[0], 8.5f);
  EXPECT_FLOAT_EQ(ObjectTable[7].position[2], -2.0f);
  EXPECT_FLOAT_EQ(ObjectTable[8].position[0], 9.5f);
  EXPECT_FLOAT_EQ(edit_position[0], 9.5f);
  EXPECT_FLOAT_EQ(ObjectTable[6].position[0], 6.0f);
}

TEST_F(Ground, AnUnmarkedCurrentInClusterModeMovesNothing) {
  ObjectTable[8].position[0] = 8;
  cluster_mode = ClusterTable[7] = 1;
  place_on_ground(0.0f, 0.0f);
  EXPECT_EQ(not_in_cluster, 1);
  EXPECT_FLOAT_EQ(ObjectTable[8].position[0], 8.0f);
}
