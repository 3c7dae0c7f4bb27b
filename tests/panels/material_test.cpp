// The material panel's sliders through the window's mouse callback; d is
// the distance below the top of the 224-pixel strip.
#include "input/ui_fixture.h"

static void press(int x, int d) { mouse_3d(0, 0, x, d + 500 - 224); }

// The current record 6 takes the colour (r, g, 0).
static void set_color(float r, float g) {
  ObjectTable[6].color[0] = r, ObjectTable[6].color[1] = g, ObjectTable[6].color[2] = 0;
  load_edit_buffer();
}

using Material = UiTestWith<1>;

TEST_F(Material, SlidersAtTheirEndsAndTheColourScaling) {
  const ObjectRecord& r = ObjectTable[6];
  press(0, 10);
  EXPECT_EQ(state(r.shine, edit_shine), state(0, 0));
  press(120, 22);
  press(60, 23);  // below the band
  press(121, 5);  // right of the slider
  EXPECT_EQ(r.shine, 1.0f);

  press(48, 100);  // half the intensity halves the colour (grey 200 at 0.8)
  EXPECT_FLOAT_EQ(r.intensity, 0.4f);
  EXPECT_NEAR(r.color[0], 100.0f / 255, 1e-6);
  EXPECT_EQ(edit_color[1], 100);
  press(120, 98);  // the band's edges
  press(120, 112);
  EXPECT_FLOAT_EQ(edit_intensity, 0.4f);

  press(0, 111);  // down to 0 goes black; from 0 the colour is kept
  EXPECT_EQ(edit_color[0], 0);
  set_color(0.5f, 0.25f);
  press(90, 105);
  EXPECT_EQ(state(r.intensity, r.color[1]), state(0.75, 0.25));

  set_color(1.0f, 0.2f);  // raised past full: the float keeps it, the byte stops
  edit_intensity = 0.5f;
  press(120, 105);
  EXPECT_NEAR(r.color[0], 2.0f, 1e-6);
  EXPECT_EQ(state(edit_color[0], edit_color[1]), state(255, 102));
}

TEST_F(Material, ClusterMembersOfTheSameColourFollow) {
  for (int i = 0; i < 3; i++) create_object();  // records 6..9, grey
  ObjectTable[8].color[0] = 0.5f;
  cluster_mode = ClusterTable[6] = ClusterTable[7] = ClusterTable[8] = 1;
  current_record = 7;
  load_edit_buffer();
  same_color[8] = 1;  // stale from an earlier change: never used
  press(24, 10);
  press(48, 100);
  EXPECT_FLOAT_EQ(ObjectTable[6].shine, 0.2f);
  EXPECT_FLOAT_EQ(ObjectTable[6].color[0], ObjectTable[7].color[0]);
  const ObjectRecord &a = ObjectTable[8], &b = ObjectTable[9];
  EXPECT_EQ(state(a.shine, b.shine, a.intensity, b.intensity), state(.8f, .8f, .8f, .8f));
}
