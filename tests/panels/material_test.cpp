// The material panel's sliders: clicks with x from the left edge and d down
// from the top of the 224-pixel strip.
#include <gtest/gtest.h>

#include "app/scene.h"
#include "app/startup.h"
#include "app/window.h"
#include "input/input.h"
#include "panels/material_panel.h"

namespace {

class Material : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_all();
    win_width = 600;  // tall enough that the object panel stays above the strip
    win_height = 500;
    new_type = TYPE_SPHERE;
    create_object();
  }
};

// An event through the window's mouse callback, d rows below the strip's top.
void click(int button, int state, int x, int d) {
  mouse_3d(button, state, x, d + win_height - 224);
}

void set_color(int i, float r, float g, float b) {
  ObjectRecord& o = ObjectTable[i];
  o.color[0] = r;
  o.color[1] = g;
  o.color[2] = b;
}

}  // namespace

TEST_F(Material, ShineSliderEnds) {
  click(0, 0, 0, 10);
  EXPECT_FLOAT_EQ(ObjectTable[6].shine, 0.0f);
  EXPECT_FLOAT_EQ(edit_shine, 0.0f);
  click(0, 0, 120, 22);
  EXPECT_FLOAT_EQ(ObjectTable[6].shine, 1.0f);
  click(0, 0, 60, 23);  // below the band
  click(0, 1, 60, 5);   // a release
  click(2, 0, 60, 5);   // another button
  click(0, 0, 121, 5);  // right of the slider
  EXPECT_FLOAT_EQ(ObjectTable[6].shine, 1.0f);
}

TEST_F(Material, IntensityScalesTheColour) {
  // Grey 200 at intensity 0.8; half the intensity halves the colour.
  click(0, 0, 48, 100);
  EXPECT_FLOAT_EQ(ObjectTable[6].intensity, 0.4f);
  EXPECT_FLOAT_EQ(edit_intensity, 0.4f);
  EXPECT_NEAR(ObjectTable[6].color[0], 100.0f / 255, 1e-6);
  EXPECT_EQ(edit_color[1], 100);  // bytes of the scaled float
  EXPECT_FLOAT_EQ(ObjectTable[6].color[3], 1.0f);

  // The band's edges: d 98 and 112 are outside.
  click(0, 0, 120, 98);
  click(0, 0, 120, 112);
  EXPECT_FLOAT_EQ(ObjectTable[6].intensity, 0.4f);

  // Down to 0 the colour goes black; from 0 the colour is kept, not divided by zero.
  click(0, 0, 0, 111);
  EXPECT_FLOAT_EQ(ObjectTable[6].intensity, 0.0f);
  EXPECT_EQ(edit_color[0], 0);
  set_color(6, 0.5f, 0.25f, 0.0f);
  load_edit_buffer();
  edit_intensity = 0.0f;
  click(0, 0, 90, 105);
  EXPECT_FLOAT_EQ(ObjectTable[6].intensity, 0.75f);
  EXPECT_FLOAT_EQ(ObjectTable[6].color[0], 0.5f);
  EXPECT_FLOAT_EQ(ObjectTable[6].color[1], 0.25f);
  EXPECT_EQ(edit_color[0], 127);

  // Raising past full keeps the float, the byte copy stops at 255.
  set_color(6, 1.0f, 0.2f, 0.0f);
  load_edit_buffer();
  edit_intensity = 0.5f;
  click(0, 0, 120, 105);
  EXPECT_NEAR(ObjectTable[6].color[0], 2.0f, 1e-6);
  EXPECT_EQ(edit_color[0], 255);
  EXPECT_EQ(edit_color[1], 102);
  EXPECT_EQ(edit_color[2], 0);
}

TEST_F(Material, LightRecordsAreEditedToo) {
  current_record = 2;
  load_edit_buffer();
  click(0, 0, 30, 1);
  EXPECT_FLOAT_EQ(ObjectTable[2].shine, 0.25f);
  click(0, 0, 120, 100);  // 0.9 -> 1.0
  EXPECT_FLOAT_EQ(ObjectTable[2].intensity, 1.0f);
  EXPECT_NEAR(ObjectTable[2].color[2], 229.0f / 255 / 0.9f, 1e-6);
  EXPECT_FLOAT_EQ(ObjectTable[2].color[3], 0.0f);
}

TEST_F(Material, ClusterMembersOfTheSameColourFollow) {
  create_object();
  create_object();
  create_object();  // records 6..9, all grey 200
  set_color(8, 0.5f, 0.5f, 0.5f);
  ClusterTable[6] = ClusterTable[7] = ClusterTable[8] = 1;
  cluster_mode = 1;
  current_record = 7;
  load_edit_buffer();

  click(0, 0, 24, 10);
  EXPECT_FLOAT_EQ(ObjectTable[6].shine, 0.2f);
  EXPECT_FLOAT_EQ(ObjectTable[8].shine, 0.8f);  // other colour
  EXPECT_FLOAT_EQ(ObjectTable[9].shine, 0.8f);  // not a member

  click(0, 0, 48, 100);
  EXPECT_FLOAT_EQ(ObjectTable[6].intensity, 0.4f);
  EXPECT_FLOAT_EQ(ObjectTable[6].color[0], ObjectTable[7].color[0]);
  EXPECT_FLOAT_EQ(ObjectTable[8].color[0], 0.5f);
  EXPECT_NEAR(ObjectTable[9].color[0], 200.0f / 255, 1e-6);

  // Stale marks from an earlier colour change never reach other colours.
  same_color[8] = 1;
  click(0, 0, 96, 10);
  EXPECT_FLOAT_EQ(ObjectTable[6].shine, 0.8f);
  EXPECT_FLOAT_EQ(ObjectTable[8].intensity, 0.8f);
  EXPECT_FLOAT_EQ(ObjectTable[8].color[0], 0.5f);
}
