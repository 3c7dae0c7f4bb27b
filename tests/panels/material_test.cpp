// Presses on the material panel's sliders, d below the top of the 224-pixel strip.
#include "input/ui_fixture.h"

static void press(std::initializer_list<std::pair<int, int>> points) {
  for (const auto& [x, d] : points) mouse_3d(0, 0, x, d + 500 - 224);
}

static void set_color(float r, float g) {
  ObjectTable[6].color[0] = r, ObjectTable[6].color[1] = g, ObjectTable[6].color[2] = 0;
  load_edit_buffer();
}

using Material = UiTest<1>;

TEST_F(Material, ClusterMembersFollowAndTheSlidersScaleTheColour) {
  for (int i = 0; i < 4; i++) create_object();  // records 7..10, grey
  ObjectTable[9].color[0] = 0.5f;
  current_record = 8, cluster_mode = ClusterTable[7] = ClusterTable[8] = ClusterTable[9] = 1;
  load_edit_buffer();
  same_color[9] = 1;  // stale from an earlier change: never used
  press({{24, 10}, {48, 100}});
  const ObjectRecord* m = &ObjectTable[7];  // 7 follows; 9, of another colour, and 10 do not
  EXPECT_EQ(
      state(m[0].shine, m[0].color[0], m[2].shine, m[2].intensity, m[3].shine, m[3].intensity),
      state(0.2, m[1].color[0], 0.8, 0.8, 0.8, 0.8));
  current_record = 6, cluster_mode = 0;
  load_edit_buffer();
  const ObjectRecord& r = ObjectTable[6];
  press({{0, 10}});
  EXPECT_EQ(state(r.shine, edit_shine), state(0, 0));
  press({{120, 22}, {60, 23}, {121, 5}});  // full, then below the band and right of it
  EXPECT_EQ(state(r.shine, edit_shine), state(1, 1));
  press({{48, 100}, {120, 98}, {120, 112}});  // half the intensity halves the colour; the edges
  EXPECT_EQ(state(r.intensity, edit_intensity, r.color[0], edit_color[1]),
            state(0.4, 0.4, 100 / 255.0, 100));
  press({{0, 111}});  // down to 0 goes black; from 0 the colour is kept
  EXPECT_EQ(edit_color[0], 0);
  set_color(0.5f, 0.25f);
  press({{90, 105}});
  EXPECT_EQ(state(r.intensity, r.color[1]), state(0.75, 0.25));
  set_color(1.0f, 0.2f);  // raised past full: the float keeps it, the byte stops
  edit_intensity = 0.5f;
  press({{120, 105}});
  EXPECT_EQ(state(r.color[0], edit_color[0], edit_color[1]), state(2, 255, 102));
}
