#include <gtest/gtest.h>

#include "app/scene.h"
#include "app/startup.h"
#include "app/window.h"
#include "browser/browser.h"
#include "input/input.h"
#include "input/scratch_dir.h"
#include "io/code_table.h"
#include "panels/object_panel.h"
#include "panels/overlay.h"

namespace {

constexpr int LEFT = 0, RIGHT = 2, DOWN = 0, UP = 1;

// Whether a right press at (x, y) reaches the scene, where it toggles the panels.
bool reaches_scene(int x, int y) {
  const int before = panels_shown;
  mouse_3d(RIGHT, DOWN, x, y);
  const bool toggled = panels_shown != before;
  panels_shown = before;
  return toggled;
}

class Routing : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_all();
    win_width = 600;
    win_height = 500;
    create_object();
    create_object();  // records 6 and 7; 7 current
  }
  ScratchDir dir;  // the browser may act on the directory it shows
};

TEST_F(Routing, SceneAreaAndPanelBoundaries) {
  // The 25-pixel bands at the top and bottom, 150 pixels at the sides.
  EXPECT_FALSE(reaches_scene(300, 25));
  EXPECT_TRUE(reaches_scene(300, 26));
  EXPECT_TRUE(reaches_scene(300, 474));
  EXPECT_FALSE(reaches_scene(300, 475));
  EXPECT_FALSE(reaches_scene(150, 250));
  EXPECT_TRUE(reaches_scene(151, 250));
  EXPECT_TRUE(reaches_scene(449, 250));
  EXPECT_FALSE(reaches_scene(450, 250));
  // The object panel reaches to x 164 and y 204, the lights panel from x 436.
  EXPECT_FALSE(reaches_scene(164, 204));
  EXPECT_TRUE(reaches_scene(165, 204));
  EXPECT_TRUE(reaches_scene(164, 205));
  EXPECT_FALSE(reaches_scene(436, 100));
  EXPECT_TRUE(reaches_scene(435, 100));

  // Only the press toggles; the release redraws.
  mouse_3d(RIGHT, DOWN, 300, 250);
  mouse_3d(RIGHT, UP, 300, 250);
  EXPECT_EQ(panels_shown, 0);
  mouse_3d(RIGHT, DOWN, 300, 250);
  EXPECT_EQ(panels_shown, 1);

  // The object list starts right of x 480 and below y 276, rows shifted.
  mouse_3d(LEFT, DOWN, 480, 300);
  EXPECT_EQ(current_record, 7);
  mouse_3d(LEFT, DOWN, 481, 276);
  EXPECT_EQ(cluster_mode, 0);
  mouse_3d(LEFT, DOWN, 520, 277);  // header row: the mode toggle
  EXPECT_EQ(cluster_mode, 1);
  mouse_3d(LEFT, DOWN, 540, 277 + 15);  // first row: record 6
  EXPECT_EQ(current_record, 6);

  // A click on the object panel reaches it with coordinates unchanged.
  mouse_3d(LEFT, DOWN, 90, 50);
  EXPECT_EQ(panel_field, FIELD_ANGLE_Y);
}

TEST_F(Routing, DialogBrowserCodeListAndMenusComeFirst) {
  // A dialog takes every click: panels and scene stay as they are.
  too_many_objects = 1;
  mouse_3d(LEFT, DOWN, 90, 50);
  EXPECT_EQ(panel_field, FIELD_ANGLE_X);
  EXPECT_FALSE(reaches_scene(200, 250));
  mouse_3d(LEFT, DOWN, 300, 250);  // its "OK"
  EXPECT_EQ(too_many_objects, 0);

  // The open browser takes the right half; the left half does nothing.
  browser_open = 1;
  mouse_3d(LEFT, DOWN, 90, 50);
  EXPECT_EQ(panel_field, FIELD_ANGLE_X);
  EXPECT_FALSE(reaches_scene(300, 250));
  mouse_3d(LEFT, DOWN, 540, 277 + 15);
  EXPECT_EQ(current_record, 7);
  browser_open = 0;

  // The code list takes x < 180 and binds the clicked entry, within range.
  code_list_shown = 1;
  code_count = 2;
  mouse_3d(LEFT, DOWN, 179, 45);
  EXPECT_EQ(CodeBindingTable[7], 2);
  mouse_3d(LEFT, DOWN, 100, 60);
  mouse_3d(RIGHT, DOWN, 100, 15);
  EXPECT_EQ(CodeBindingTable[7], 2);
  mouse_3d(LEFT, DOWN, 100, 15);
  EXPECT_EQ(CodeBindingTable[7], 0);
  // With the code list the scene also takes the top band left of W - 300.
  EXPECT_TRUE(reaches_scene(200, 20));
  EXPECT_FALSE(reaches_scene(300, 20));
  EXPECT_FALSE(reaches_scene(200, 475));
  code_list_shown = 0;
  EXPECT_FALSE(reaches_scene(200, 20));

  // An open menu's entry takes a click before the object panel under it.
  win_width = 300;
  io_menu_open = 1;
  mouse_3d(LEFT, DOWN, 100, 25);
  EXPECT_EQ(choose_ext_type, 0);
  EXPECT_EQ(io_menu_open, 0);
  browser_open = 0;
  mouse_3d(LEFT, DOWN, 100, 25);  // the same point reaches the "ext" button
  EXPECT_EQ(choose_ext_type, 1);
}

TEST(SnapTenth, HundredthsFiveRoundTowardZero) {
  const float cases[][2] = {{0.25f, 0.2f},  {0.27f, 0.3f},  {-0.27f, -0.3f}, {-0.23f, -0.2f},
                            {1.96f, 2.0f},  {-0.05f, 0.0f}, {12.34f, 12.3f}, {0.0f, 0.0f}};
  for (const auto& c : cases) EXPECT_FLOAT_EQ(snap_tenth(c[0]), c[1]) << c[0];
}

TEST(GroundPoint, OnlyInFrontOfTheEye) {
  const double eye_pos[3] = {0, 10, 10};
  float gx = 7, gz = 7;
  const double down[3] = {1, 5, 9};
  ASSERT_TRUE(ground_point(eye_pos, down, &gx, &gz));
  EXPECT_FLOAT_EQ(gx, 2.0f);
  EXPECT_FLOAT_EQ(gz, 8.0f);
  const double level[3] = {1, 10, 0};
  const double up[3] = {1, 11, 0};
  gx = gz = 7;
  EXPECT_FALSE(ground_point(eye_pos, level, &gx, &gz));
  EXPECT_FALSE(ground_point(eye_pos, up, &gx, &gz));
  EXPECT_EQ(gx, 7);
}

TEST(PlaceOnGround, ObjectLightAndCluster) {
  reset_all();
  for (int i = 0; i < 3; i++) create_object();
  for (int i = 6; i <= 8; i++) ObjectTable[i].position[0] = static_cast<float>(i);
  ObjectTable[7].position[1] = 4.0f;

  current_record = 7;
  load_edit_buffer();
  place_on_ground(1.5f, -2.0f);
  EXPECT_FLOAT_EQ(ObjectTable[7].position[0], 1.5f);
  EXPECT_FLOAT_EQ(ObjectTable[7].position[1], 4.0f);
  EXPECT_FLOAT_EQ(edit_position[2], -2.0f);

  cluster_mode = 1;
  place_on_ground(0.0f, 0.0f);
  EXPECT_EQ(not_in_cluster, 1);
  EXPECT_FLOAT_EQ(ObjectTable[7].position[0], 1.5f);

  ClusterTable[7] = ClusterTable[8] = 1;
  place_on_ground(2.5f, -1.0f);  // the cluster moves by (1, 1) as one
  EXPECT_FLOAT_EQ(ObjectTable[7].position[0], 2.5f);
  EXPECT_FLOAT_EQ(ObjectTable[8].position[0], 9.0f);
  EXPECT_FLOAT_EQ(ObjectTable[8].position[2], 1.0f);
  EXPECT_FLOAT_EQ(ObjectTable[6].position[0], 6.0f);

  cluster_mode = 0;
  current_record = 3;  // a light is a record too
  place_on_ground(-4.0f, 5.0f);
  EXPECT_FLOAT_EQ(ObjectTable[3].position[0], -4.0f);
  EXPECT_FLOAT_EQ(ObjectTable[3].position[2], 5.0f);
}

}  // namespace
