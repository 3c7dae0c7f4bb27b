// The material panel's sliders through the window's mouse callback; d is
// the distance below the top of the 224-pixel strip.
#include <gtest/gtest.h>

#include "app/scene.h"
#include "app/startup.h"
#include "app/window.h"
#include "input/input.h"

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

void click(int x, int d) { mouse_3d(0, 0, x, d + 500 - 224); }

void set_color(int i, float r, float g) {
  ObjectTable[i].color[0] = r;
  ObjectTable[i].color[1] = g;
  ObjectTable[i].color[2] = 0;
}

}  // namespace

TEST_F(Material, SlidersAtTheirEnds) {
  click(0, 10);
  EXPECT_FLOAT_EQ(ObjectTable[6].shine + edit_shine, 0.0f);
  click(120, 22);
  EXPECT_FLOAT_EQ(ObjectTable[6].shine, 1.0f);
  click(60, 23);  // below the band
  click(121, 5);  // right of the slider
  EXPECT_FLOAT_EQ(ObjectTable[6].shine, 1.0f);

  // Half the intensity halves the colour (grey 200 at 0.8).
  click(48, 100);
  EXPECT_FLOAT_EQ(ObjectTable[6].intensity, 0.4f);
  EXPECT_NEAR(ObjectTable[6].color[0], 100.0f / 255, 1e-6);
  EXPECT_EQ(edit_color[1], 100);
  click(120, 98);  // the band's edges
  click(120, 112);
  EXPECT_FLOAT_EQ(edit_intensity, 0.4f);

  // Down to 0 goes black; from 0 the colour is kept.
  click(0, 111);
  EXPECT_EQ(edit_color[0], 0);
  set_color(6, 0.5f, 0.25f);
  load_edit_buffer();
  click(90, 105);
  EXPECT_FLOAT_EQ(ObjectTable[6].intensity, 0.75f);
  EXPECT_FLOAT_EQ(ObjectTable[6].color[1], 0.25f);

  // Raised past full the float keeps its value, the byte stops at 255.
  set_color(6, 1.0f, 0.2f);
  load_edit_buffer();
  edit_intensity = 0.5f;
  click(120, 105);
  EXPECT_NEAR(ObjectTable[6].color[0], 2.0f, 1e-6);
  EXPECT_EQ(edit_color[0], 255);
  EXPECT_EQ(edit_color[1], 102);
}

TEST_F(Material, ClusterMembersOfTheSameColourFollow) {
  create_object();
  create_object();
  create_object();  // records 6..9, grey
  set_color(8, 0.5f, 0.5f);
  ClusterTable[6] = ClusterTable[7] = ClusterTable[8] = 1;
  cluster_mode = 1;
  current_record = 7;
  load_edit_buffer();
  same_color[8] = 1;  // stale from an earlier change: never used
  click(24, 10);
  click(48, 100);
  EXPECT_FLOAT_EQ(ObjectTable[6].shine, 0.2f);
  EXPECT_FLOAT_EQ(ObjectTable[6].color[0], ObjectTable[7].color[0]);
  EXPECT_FLOAT_EQ(ObjectTable[8].shine + ObjectTable[9].shine, 1.6f);
  EXPECT_FLOAT_EQ(ObjectTable[8].intensity, 0.8f);
  EXPECT_FLOAT_EQ(ObjectTable[9].intensity, 0.8f);
}
