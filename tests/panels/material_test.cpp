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

TEST_F(Material, AColourPickMarksTheMembersThatFollowAndOnlyThePressMarks) {
  for (int i = 0; i < 3; i++) create_object();  // records 7..9; 6 stays out of the cluster
  ObjectTable[9].color[0] = 0.5f, ObjectTable[9].shine = 0.3f;
  current_record = 8, cluster_mode = ClusterTable[7] = ClusterTable[8] = ClusterTable[9] = 1;
  load_edit_buffer();
  // The press on the colour field marks the members of the current colour.
  mouse_3d(0, 0, 60, 500 - 224 + 150);
  EXPECT_EQ(same_color[7], 1);
  EXPECT_EQ(same_color[9], 0);
  // The pick gave the current record 9's colour; the release marks nothing
  // anew, so 9, which already had that colour, keeps its material.
  ObjectTable[8].color[0] = 0.5f;
  mouse_3d(0, 1, 60, 500 - 224 + 150);
  EXPECT_FLOAT_EQ(ObjectTable[7].color[0], 0.5f);
  EXPECT_FLOAT_EQ(ObjectTable[9].shine, 0.3f);
  // The sliders reach the members the pick marked, not those of the colour now.
  press({{24, 10}, {48, 100}});
  EXPECT_FLOAT_EQ(ObjectTable[7].shine, 0.2f);
  EXPECT_FLOAT_EQ(ObjectTable[7].intensity, 0.4f);
  EXPECT_FLOAT_EQ(ObjectTable[9].shine, 0.3f);
  EXPECT_FLOAT_EQ(ObjectTable[9].intensity, 0.8f);
  EXPECT_FLOAT_EQ(ObjectTable[6].shine, 0.8f);
}

TEST_F(Material, TheSlidersSetShineAndScaleTheColour) {
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
