// The material panel's sliders through its bands, d below the top of the strip.
#include "panels/material_panel.h"
#include "support/cells.h"
#include "support/ui_scene.h"

// A press and release at x on a band.
static void slide(const char* band, int x) {
  const int d = inside(cell_named(material_layout, band)->hit.y);
  material_click(0, 0, x, d);
  material_click(0, 1, x, d);
}
static void set_color(float r, float g) {
  ObjectTable[current_record].color[0] = r, ObjectTable[current_record].color[1] = g;
  load_edit_buffer();
}

using Material = UiScene<1>;

TEST_F(Material, TheSlidersFollowThePointerWithinTheirBands) {
  const ObjectRecord& r = ObjectTable[6];
  slide("shine", 120);
  EXPECT_EQ(r.shine, 1);
  EXPECT_EQ(edit_shine, 1);
  const std::pair<int, int> misses[] = {{121, 10}, {60, 23}, {60, 98}, {60, 112}};
  for (const auto& [x, d] : misses) material_click(0, 0, x, d);
  EXPECT_EQ(r.shine, 1);
  EXPECT_FLOAT_EQ(r.intensity, 0.8f);
  material_click(0, 0, 0, 22);
  EXPECT_EQ(r.shine, 0);
  material_click(0, 0, 90, 99);
  EXPECT_FLOAT_EQ(r.intensity, 0.75f);
  material_click(0, 0, 60, 111);
  EXPECT_FLOAT_EQ(r.intensity, 0.5f);
}

TEST_F(Material, IntensityScalesTheColourInProportion) {
  set_color(250 / 255.0f, 0.4f);
  slide("intensity", 97);  // from 0.8 to 97 / 120
  const ObjectRecord& r = ObjectTable[6];
  EXPECT_FLOAT_EQ(r.intensity, 97 / 120.0f);
  EXPECT_FLOAT_EQ(edit_intensity, 97 / 120.0f);
  EXPECT_NEAR(r.color[0], 250 * (97 / 96.0f) / 255, 1e-6);
  EXPECT_EQ(edit_color[0], 252) << "the whole part of 252.6";
}

TEST_F(Material, FromIntensityZeroTheColourStays) {
  slide("intensity", 0);
  EXPECT_EQ(edit_color[0], 0);
  set_color(0.5f, 0.25f);
  slide("intensity", 90);
  EXPECT_FLOAT_EQ(ObjectTable[6].intensity, 0.75f);
  EXPECT_FLOAT_EQ(ObjectTable[6].color[1], 0.25f);
}

TEST_F(Material, RaisedPastFullTheColourKeepsItsValueAndTheByteStops) {
  set_color(1.0f, 0.2f);
  edit_intensity = 0.5f;
  slide("intensity", 120);
  EXPECT_FLOAT_EQ(ObjectTable[6].color[0], 2.0f);
  EXPECT_EQ(edit_color[0], 255);
  EXPECT_EQ(edit_color[1], 102);
}

TEST_F(Material, AColourPickMarksTheMembersThatFollowAndOnlyThePressMarks) {
  for (int i = 0; i < 3; i++) create_object();  // records 7..9; 6 stays out of the cluster
  ObjectTable[9].color[0] = 0.5f, ObjectTable[9].shine = 0.3f;
  current_record = 8, cluster_mode = ClusterTable[7] = ClusterTable[8] = ClusterTable[9] = 1;
  load_edit_buffer();
  const int field = inside(cell_named(material_layout, "color field")->hit.y);
  material_click(0, 0, 60, field);  // marks the members of the current colour
  EXPECT_EQ(same_color[7], 1);
  EXPECT_EQ(same_color[9], 0);
  ObjectTable[8].color[0] = 0.5f;   // as if the pick gave it 9's colour
  material_click(0, 1, 60, field);  // the release marks nothing anew
  EXPECT_FLOAT_EQ(ObjectTable[7].color[0], 0.5f);
  EXPECT_FLOAT_EQ(ObjectTable[9].shine, 0.3f);
  slide("shine", 24);  // the sliders reach the members the pick marked
  slide("intensity", 48);
  EXPECT_FLOAT_EQ(ObjectTable[7].shine, 0.2f);
  EXPECT_FLOAT_EQ(ObjectTable[7].intensity, 0.4f);
  EXPECT_FLOAT_EQ(ObjectTable[9].shine, 0.3f);
  EXPECT_FLOAT_EQ(ObjectTable[9].intensity, 0.8f);
  EXPECT_FLOAT_EQ(ObjectTable[6].shine, 0.8f);
}
