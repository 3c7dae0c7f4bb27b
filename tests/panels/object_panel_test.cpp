#include <gtest/gtest.h>

#include "app/scene.h"
#include "app/startup.h"
#include "app/window.h"
#include "input/input.h"
#include "input/scratch_dir.h"
#include "panels/object_panel.h"
#include "render/render.h"

namespace {

constexpr int LEFT = 0, RIGHT = 2;

// A press and its release through the window's mouse callback.
void click(int button, int x, int y) {
  mouse_3d(button, 0, x, y);
  mouse_3d(button, 1, x, y);
}

class ObjectPanel : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_all();
    win_width = 600;
    win_height = 500;
  }
  ScratchDir dir;
};

TEST_F(ObjectPanel, TypeButtonsCreateAndBackUp) {
  click(LEFT, 90, 10);  // "sph"
  EXPECT_EQ(last_record, 6);
  EXPECT_EQ(current_record, 6);
  EXPECT_EQ(ObjectTable[6].surfacetype, TYPE_SPHERE);
  EXPECT_TRUE(ScratchDir::exists("backup.ses"));

  click(RIGHT, 120, 25);  // "cone", either button
  EXPECT_EQ(ObjectTable[7].surfacetype, TYPE_CONE);
  EXPECT_STREQ(ObjectTable[7].name, "cone");

  click(LEFT, 90, 25);  // "ext" only raises the choice
  EXPECT_EQ(choose_ext_type, 1);
  EXPECT_EQ(last_record, 7);

  choose_ext_type = 0;
  click(LEFT, 60, 25);  // "rev"
  EXPECT_EQ(ObjectTable[8].surfacetype, TYPE_REVOLUTION);

  click(LEFT, 60, 15);  // between the two type rows
  EXPECT_EQ(last_record, 8);
}

TEST_F(ObjectPanel, ArmThenStepInBothModes) {
  create_object();
  // At start the rotation x is armed: the first left click steps by -10.
  click(LEFT, 50, 50);
  EXPECT_EQ(ObjectTable[6].angles[0], -10);
  click(RIGHT, 50, 50);
  EXPECT_EQ(ObjectTable[6].angles[0], 0);

  click(LEFT, 90, 50);  // rotation y: selected and armed, not stepped
  EXPECT_EQ(panel_field, FIELD_ANGLE_Y);
  EXPECT_EQ(ObjectTable[6].angles[1], 0);
  click(LEFT, 90, 50);
  EXPECT_EQ(ObjectTable[6].angles[1], -10);

  click(LEFT, 50, 165);  // "inc/dec*10" -> "inc/dec"
  EXPECT_EQ(coarse_steps, 0);
  click(LEFT, 90, 50);
  EXPECT_EQ(ObjectTable[6].angles[1], -11);
  click(RIGHT, 90, 50);
  click(RIGHT, 90, 50);
  EXPECT_EQ(ObjectTable[6].angles[1], -9);

  click(RIGHT, 120, 80);  // position z: arm, then +0.1 per right click
  click(RIGHT, 120, 80);
  EXPECT_FLOAT_EQ(ObjectTable[6].position[2], 0.1f);
  EXPECT_FLOAT_EQ(edit_position[2], 0.1f);

  click(LEFT, 72, 80);  // between two cells: selects nothing
  EXPECT_EQ(panel_field, FIELD_POS_Z);

  // Scale x in coarse mode: 0.2 -> 0.1, then a step to 0.0 is refused.
  click(LEFT, 50, 165);
  click(LEFT, 50, 100);
  click(LEFT, 50, 100);
  EXPECT_NEAR(ObjectTable[6].scales[0], 0.1f, 1e-6);
  click(LEFT, 50, 100);
  EXPECT_NEAR(ObjectTable[6].scales[0], 0.1f, 1e-6);

  click(LEFT, 150, 100);  // "a": all three scales
  click(RIGHT, 150, 100);
  EXPECT_NEAR(ObjectTable[6].scales[1], 0.3f, 1e-6);
  EXPECT_NEAR(ObjectTable[6].scales[0], 0.2f, 1e-6);

  const int before = wireframe;
  click(RIGHT, 50, 185);
  EXPECT_NE(wireframe, before);
}

TEST_F(ObjectPanel, ResetsInObjectAndClusterMode) {
  create_object();
  for (int k = 0; k < 3; k++) {
    edit_angles[k] = 30;
    edit_position[k] = 2.5f;
    edit_scales[k] = 1.5f;
  }
  edit_color[0] = 255;
  apply_edit_buffer();

  cluster_mode = 1;
  ClusterTable[6] = 1;
  click(LEFT, 10, 50);
  click(LEFT, 10, 80);
  click(LEFT, 10, 110);
  EXPECT_EQ(ObjectTable[6].angles[0], 30);
  EXPECT_FLOAT_EQ(ObjectTable[6].position[1], 2.5f);
  EXPECT_FLOAT_EQ(ObjectTable[6].scales[2], 1.5f);
  click(RIGHT, 10, 140);  // the colour reset works in both modes
  EXPECT_EQ(edit_color[0], 204);
  EXPECT_FLOAT_EQ(ObjectTable[6].color[0], 0.8f);
  EXPECT_FLOAT_EQ(ObjectTable[6].intensity, 0.8f);

  cluster_mode = 0;
  click(LEFT, 10, 50);
  click(LEFT, 10, 80);
  click(LEFT, 10, 110);
  EXPECT_EQ(ObjectTable[6].angles[2], 0);
  EXPECT_FLOAT_EQ(ObjectTable[6].position[0], 0.0f);
  EXPECT_FLOAT_EQ(ObjectTable[6].scales[1], 0.2f);
}

TEST_F(ObjectPanel, ColourCellsAndTheAllRule) {
  create_object();
  for (int k = 0; k < 3; k++) ObjectTable[6].color[k] = 250.0f / 255.0f;
  load_edit_buffer();

  click(RIGHT, 150, 130);  // arm "all"
  EXPECT_EQ(panel_field, FIELD_COLOR);
  EXPECT_EQ(color_channel, 3);
  click(RIGHT, 150, 130);  // +10 refused: 250 is not below 246
  EXPECT_EQ(edit_color[1], 250);
  click(LEFT, 50, 165);
  click(RIGHT, 150, 130);  // +1 in fine mode
  EXPECT_EQ(edit_color[0], 251);
  EXPECT_EQ(edit_color[2], 251);

  click(LEFT, 50, 130);  // r: a new channel arms first
  EXPECT_EQ(edit_color[0], 251);
  click(LEFT, 50, 130);
  click(LEFT, 50, 130);
  EXPECT_EQ(edit_color[0], 249);
  EXPECT_EQ(edit_color[1], 251);
  EXPECT_FLOAT_EQ(ObjectTable[6].color[0], 249.0f / 255.0f);
  // The picker mark and the intensity follow the colour.
  float pick[2] = {9, 9};
  color_to_pick(249, 251, 251, pick);
  EXPECT_FLOAT_EQ(ObjectTable[6].pick[0], pick[0]);
  EXPECT_FLOAT_EQ(ObjectTable[6].intensity, 251.0f / 255.0f);

  // Stepping the "all" cell with one channel at its limit changes none.
  ObjectTable[6].color[0] = 0.0f;
  load_edit_buffer();
  click(LEFT, 150, 130);
  click(LEFT, 150, 130);
  EXPECT_EQ(edit_color[0], 0);
  EXPECT_EQ(edit_color[1], 251);
}

TEST_F(ObjectPanel, ColourStepReachesClusterMembersOfTheSameColour) {
  for (int i = 0; i < 3; i++) create_object();
  for (int i = 6; i <= 8; i++) {
    ClusterTable[i] = 1;
    ObjectTable[i].color[0] = 0.5f;
  }
  ObjectTable[8].color[0] = 0.7f;
  current_record = 6;
  load_edit_buffer();
  cluster_mode = 1;
  click(RIGHT, 50, 130);
  click(RIGHT, 50, 130);
  EXPECT_EQ(edit_color[0], 137);
  EXPECT_FLOAT_EQ(ObjectTable[7].color[0], 137.0f / 255.0f);
  EXPECT_FLOAT_EQ(ObjectTable[8].color[0], 0.7f);
}

TEST(FormatValue, DigitsInTenths) {
  const struct {
    float v;
    const char* text;
  } cases[] = {{3.5f, "035"}, {9.99f * 10, "999"}, {0.2f * 10, "020"},
               {255 / 10.0f, "255"}, {720 / 10.0f, "720"}, {99.9f, "bad"}, {0.0f, "000"}};
  for (const auto& c : cases) {
    format_value(c.v);
    EXPECT_STREQ(text3, c.text) << c.v;
  }
}

}  // namespace
