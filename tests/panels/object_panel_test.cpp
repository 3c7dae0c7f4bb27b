// The object panel through its own cells: type buttons, stepped values,
// colour channels, resets and the two mode switches.
#include "panels/object_panel.h"

#include "support/cells.h"
#include "support/ui_scene.h"

static void click(const char* cell, int button = 0) {
  click_cell(object_panel_layout, cell, button);
}

using ObjectPanel = UiScene<>;
using ObjectValues = UiScene<1>;

// "box", "sph", "rev" and "ext" are clicked by the end-to-end and undo tests.
TEST_F(ObjectPanel, ATypeButtonCreatesItsTypeAndWritesTheBackup) {
  click("cone", MOUSE_RIGHT);  // either button
  EXPECT_EQ(ObjectTable[last_record].surfacetype, TYPE_CONE);
  EXPECT_TRUE(written("backup.ses"));
  object_panel_click(0, 0, 80, 5);  // between two buttons: the type chosen before
  EXPECT_EQ(ObjectTable[last_record].surfacetype, TYPE_CONE);
  EXPECT_EQ(last_record, 7);
  new_type = TYPE_BOX;
  object_panel_click(0, 0, 140, 20);  // right of "cone": nothing
  EXPECT_EQ(new_type, TYPE_BOX);
  EXPECT_EQ(last_record, 7);
  object_panel_click(0, 0, 111, 5);  // the first pixel of "cyl"
  EXPECT_EQ(ObjectTable[last_record].surfacetype, TYPE_CYLINDER);
}

TEST_F(ObjectValues, TheFirstClickOnAValueSelectsItAndTheNextOnesStepIt) {
  click("rot x");  // selected at start: steps at once
  EXPECT_EQ(ObjectTable[6].angles[0], -10);
  object_panel_click(0, 0, 76, 50);  // the first pixel of "rot y"
  EXPECT_EQ(panel_field, FIELD_ANGLE_Y);
  EXPECT_EQ(ObjectTable[6].angles[1], 0);
  click("rot y");
  EXPECT_EQ(ObjectTable[6].angles[1], -10);
  for (const int x : {70, 72, 75, 105, 107, 110}) {  // between the cells: none
    object_panel_click(0, 0, x, 50);
    EXPECT_EQ(panel_field, FIELD_ANGLE_Y) << "x " << x;
  }
}

TEST_F(ObjectValues, TheStepFollowsTheButtonAndTheMode) {
  const ObjectRecord& r = ObjectTable[6];
  const float angle = 0;  // stands for the integer angle
  const std::tuple<const char*, int, int, const float*, float> steps[] = {
      {"rot z", MOUSE_RIGHT, 1, &angle, 10},
      {"rot z", MOUSE_LEFT, 0, &angle, 9},
      {"pos y", MOUSE_LEFT, 1, &r.position[1], -1},
      {"pos y", MOUSE_RIGHT, 0, &r.position[1], -0.9f},
      {"scale z", MOUSE_RIGHT, 1, &r.scales[2], 0.3f},
      {"scale z", MOUSE_LEFT, 0, &r.scales[2], 0.29f},
      {"scale a", MOUSE_RIGHT, 1, &r.scales[0], 0.3f}};
  for (const auto& [cell, button, coarse, value, expected] : steps) {
    coarse_steps = coarse;
    armed_field = cell_named(object_panel_layout, cell)->code;
    click(cell, button);
    const float now = value == &angle ? r.angles[2] : *value;
    EXPECT_FLOAT_EQ(now, expected) << cell << ", button " << button << ", coarse " << coarse;
  }
}

TEST(ColorChannel, StepsOnlyWhileTheByteStaysWithin0To255) {
  const int cases[][3] = {{245, 10, 255}, {246, 10, 246}, {254, 1, 255}, {255, 1, 255},
                          {10, -10, 0},   {9, -10, 9},    {1, -1, 0},    {0, -1, 0}};
  for (const auto& [from, step, to] : cases) {
    edit_color[1] = static_cast<unsigned char>(from);
    step_color_channel(1, step);
    EXPECT_EQ(edit_color[1], to) << from << " + " << step;
  }
  edit_color[0] = 200, edit_color[2] = 250;  // all three only when each can
  step_color_channel(CHANNEL_ALL, 10);
  EXPECT_EQ(edit_color[0], 200);
  step_color_channel(CHANNEL_ALL, 1);
  EXPECT_EQ(edit_color[0], 201);
}

TEST_F(ObjectValues, AColourClickStoresTheColourWithItsIntensityAndMark) {
  const ObjectRecord& r = ObjectTable[6];
  click("color r", MOUSE_RIGHT);  // selects
  EXPECT_EQ(edit_color[0], 200);
  click("color r", MOUSE_RIGHT);
  EXPECT_FLOAT_EQ(r.color[0], 210 / 255.0f);
  EXPECT_FLOAT_EQ(r.intensity, 210 / 255.0f);
  EXPECT_LT(r.pick[0], 0) << "the mark moves towards red";
}

TEST_F(ObjectValues, ResetsPutTheirRowBackAndInClusterModeOnlyTheColour) {
  ObjectRecord& r = ObjectTable[6];
  r.angles[1] = 30;
  load_edit_buffer();
  object_panel_click(0, 0, 25, 50);  // right of the reset cell
  object_panel_click(0, 0, 10, 60);  // below it
  EXPECT_EQ(r.angles[1], 30);
  for (const int cluster : {1, 0}) {
    r.angles[1] = 30, r.position[2] = 2.5f, r.scales[0] = 1.5f, r.color[0] = 0.5f;
    load_edit_buffer();
    cluster_mode = ClusterTable[6] = cluster;
    for (const char* cell : {"reset rot", "reset pos", "reset scale", "reset color"}) click(cell);
    EXPECT_EQ(r.angles[1], cluster ? 30 : 0) << "cluster mode " << cluster;
    EXPECT_EQ(r.position[2], cluster ? 2.5f : 0) << "cluster mode " << cluster;
    EXPECT_FLOAT_EQ(r.scales[0], cluster ? 1.5f : 0.2f) << "cluster mode " << cluster;
    EXPECT_FLOAT_EQ(r.color[0], 0.8f) << "cluster mode " << cluster;
  }
}

TEST_F(ObjectPanel, TheModeCellsSwitchWithAnyButton) {
  click("inc/dec", 1);
  EXPECT_EQ(coarse_steps, 0);
  click("wireframe", 1);
  EXPECT_EQ(wireframe, 0);
}

using ObjectCluster = UiScene<2>;

// Which members share the colour is the cluster operations' own test.
TEST_F(ObjectCluster, AColourStepReachesTheMembers) {
  for (int i = 6; i <= 7; i++) ClusterTable[i] = 1;
  current_record = 6, cluster_mode = 1;
  load_edit_buffer();
  click("color g", MOUSE_RIGHT);
  click("color g", MOUSE_RIGHT);
  EXPECT_FLOAT_EQ(ObjectTable[7].color[1], 210 / 255.0f);
  EXPECT_FLOAT_EQ(ObjectTable[7].pick[0], ObjectTable[6].pick[0]);
}

TEST(FormatValue, ThreeDigitsInTenthsOrBad) {
  const std::pair<float, const char*> cases[] = {
      {3.5f, "035"}, {9.99f * 10, "999"}, {255 / 10.0f, "255"}, {99.9f, "bad"}};
  for (const auto& [v, text] : cases) {
    char shown[VALUE_TEXT_SIZE];
    format_value(v, shown);
    EXPECT_STREQ(shown, text) << v;
  }
}
