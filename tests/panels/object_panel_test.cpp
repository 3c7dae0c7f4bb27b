#include "panels/object_panel.h"

#include "input/ui_fixture.h"

using ObjectPanel = UiTest;
using ObjectValues = UiTestWith<1>;

TEST_F(ObjectPanel, TypeButtonsCreateAndBackUp) {
  click(0, 90, 10);  // "sph"
  EXPECT_EQ(ObjectTable[6].surfacetype, TYPE_SPHERE);
  EXPECT_TRUE(written("backup.ses"));
  click(2, 120, 25);  // "cone", either button
  click(0, 90, 25);   // "ext" only raises the choice
  EXPECT_EQ(state(ObjectTable[7].surfacetype, choose_ext_type), state(TYPE_CONE, 1));
  choose_ext_type = 0;
  click(0, 60, 25);  // "rev"
  click(0, 60, 15);  // between the rows
  EXPECT_EQ(state(ObjectTable[8].surfacetype, last_record), state(TYPE_REVOLUTION, 8));
}

TEST_F(ObjectValues, ArmThenStepInBothModesAndLimits) {
  const ObjectRecord& r = ObjectTable[6];
  click(0, 50, 50);  // rotation x is armed at start: -10 at once
  click(0, 90, 50);  // rotation y: selected and armed, not stepped
  EXPECT_EQ(state(r.angles[0], r.angles[1], panel_field), state(-10, 0, FIELD_ANGLE_Y));
  click(0, 90, 50);
  EXPECT_EQ(r.angles[1], -10);
  click(0, 50, 165);  // fine steps
  click(0, 90, 50);
  click(2, 90, 50, 3);
  EXPECT_EQ(r.angles[1], -8);
  click(2, 120, 80, 2);  // position z: arm, then +0.1
  EXPECT_FLOAT_EQ(r.position[2], 0.1f);

  click(0, 50, 165);  // coarse again: scale x 0.2 -> 0.1, then 0.0 is refused
  click(0, 50, 100, 3);
  EXPECT_NEAR(r.scales[0], 0.1f, 1e-6);
  click(2, 150, 100, 2);  // "a" steps all three
  EXPECT_NEAR(r.scales[0], 0.2f, 1e-6);
  EXPECT_NEAR(r.scales[2], 0.3f, 1e-6);
}

TEST_F(ObjectValues, ResetsInObjectAndClusterMode) {
  ObjectRecord& r = ObjectTable[6];
  r.angles[0] = 30;
  r.position[1] = 2.5f;
  r.scales[2] = 1.5f;
  r.color[0] = 1.0f;
  load_edit_buffer();
  cluster_mode = ClusterTable[6] = 1;
  for (int y : {50, 80, 110, 140}) click(2, 10, y);
  EXPECT_EQ(state(r.angles[0], r.position[1], r.scales[2]), state(30, 2.5, 1.5));
  EXPECT_FLOAT_EQ(r.color[0] + r.intensity, 1.6f);  // the colour reset works in both modes
  cluster_mode = 0;
  for (int y : {50, 80, 110}) click(0, 10, y);
  EXPECT_EQ(state(r.angles[0], r.position[1], r.scales[2]), state(0, 0, 0.2f));
}

TEST_F(ObjectPanel, ColourCellsAllRuleAndClusterPropagation) {
  for (int i = 6; i <= 8; i++) {
    create_object();
    ClusterTable[i] = 1;
    for (float& c : ObjectTable[i].color) c = 250 / 255.0f;
  }
  ObjectTable[8].color[0] = 0.5f;
  current_record = 6;
  load_edit_buffer();
  cluster_mode = 1;
  click(2, 150, 130, 2);  // "all": armed, then +10 refused at 250
  EXPECT_EQ(edit_color[0], 250);
  click(0, 50, 165);
  click(2, 150, 130);    // +1 in fine mode
  click(0, 50, 130, 3);  // "r": armed, then -1 twice
  EXPECT_EQ(state(edit_color[0], edit_color[1]), state(249, 251));
  EXPECT_FLOAT_EQ(ObjectTable[6].intensity, 251 / 255.0f);
  EXPECT_FLOAT_EQ(ObjectTable[7].color[0], 249 / 255.0f);  // shared the colour
  EXPECT_FLOAT_EQ(ObjectTable[8].color[0], 0.5f);
  EXPECT_FLOAT_EQ(ObjectTable[7].pick[0], ObjectTable[6].pick[0]);
}

TEST(FormatValue, DigitsInTenths) {
  const std::pair<float, const char*> cases[] = {
      {3.5f, "035"}, {9.99f * 10, "999"}, {255 / 10.0f, "255"}, {99.9f, "bad"}};
  for (const auto& c : cases) {
    format_value(c.first);
    EXPECT_STREQ(text3, c.second) << c.first;
  }
}
