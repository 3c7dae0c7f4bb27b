#include "panels/object_panel.h"

#include "input/ui_fixture.h"

using ObjectPanel = UiTest<>;
using ObjectValues = UiTest<1>;
using ObjectCluster = UiTest<3>;

TEST_F(ObjectPanel, TypeButtonsCreateAndBackUp) {
  click({{0, 90, 10}});  // "sph"
  EXPECT_EQ(state(ObjectTable[6].surfacetype, written("backup.ses")), state(TYPE_SPHERE, true));
  click({{2, 120, 25}, {0, 90, 25}});  // "cone" with either button; "ext" only raises the choice
  EXPECT_EQ(state(ObjectTable[7].surfacetype, choose_ext_type), state(TYPE_CONE, 1));
  choose_ext_type = 0;
  click({{0, 60, 25}, {0, 60, 15}});  // "rev", then between the rows
  EXPECT_EQ(state(ObjectTable[8].surfacetype, last_record), state(TYPE_REVOLUTION, 8));
}

TEST_F(ObjectValues, ArmStepLimitsAndResets) {
  ObjectRecord& r = ObjectTable[6];
  click({{0, 50, 50}, {0, 90, 50}});  // rotation x is armed at start; y is only armed
  EXPECT_EQ(state(r.angles[0], r.angles[1], panel_field), state(-10, 0, FIELD_ANGLE_Y));
  click({{0, 90, 50}, {0, 50, 165}, {0, 90, 50}, {2, 90, 50, 3}});  // -10, then fine: -1, +3
  click({{2, 120, 80, 2}});                                         // position z: arm, then +0.1
  EXPECT_EQ(state(r.angles[1], r.position[2]), state(-8, 0.1));
  click({{0, 50, 165}, {0, 50, 100, 3}});  // coarse: scale x 0.2 -> 0.1, then 0.0 is refused
  click({{2, 150, 100, 2}});               // "a" steps all three
  EXPECT_EQ(state(r.scales[0], r.scales[1], r.scales[2]), state(0.2, 0.3, 0.3));
  r.angles[0] = 30, r.position[1] = 2.5f, r.scales[2] = 1.5f, r.color[0] = 1.0f;
  load_edit_buffer();
  cluster_mode = ClusterTable[6] = 1;
  for (int y : {50, 80, 110, 140}) click({{2, 10, y}});  // in cluster mode only the colour
  EXPECT_EQ(state(r.angles[0], r.position[1], r.scales[2], r.color[0], r.intensity),
            state(30, 2.5, 1.5, 0.8, 0.8));
  cluster_mode = 0;
  for (int y : {50, 80, 110}) click({{0, 10, y}});
  EXPECT_EQ(state(r.angles[0], r.position[1], r.scales[2]), state(0, 0, 0.2));
}

TEST_F(ObjectCluster, ColourCellsAllRuleAndClusterPropagation) {
  for (int i = 6; i <= 8; i++)
    ClusterTable[i] = 1, std::fill_n(ObjectTable[i].color, 3, 250 / 255.0f);
  ObjectTable[8].color[0] = 0.5f;
  current_record = 6, cluster_mode = 1;
  load_edit_buffer();
  // "all" armed, +10 refused at 250; fine steps: all +1; "r" armed, then -1 twice.
  click({{2, 150, 130, 2}, {0, 50, 165}, {2, 150, 130}, {0, 50, 130, 3}});
  const ObjectRecord* r = &ObjectTable[6];
  EXPECT_EQ(state(edit_color[0], edit_color[1], r[0].intensity), state(249, 251, 251 / 255.0));
  EXPECT_EQ(state(r[1].color[0], r[1].pick[0], r[2].color[0]),  // shared with an equal member
            state(249 / 255.0, r[0].pick[0], 0.5));
}

TEST(FormatValue, DigitsInTenths) {
  const std::pair<float, const char*> cases[] = {
      {3.5f, "035"}, {9.99f * 10, "999"}, {255 / 10.0f, "255"}, {99.9f, "bad"}};
  for (const auto& [v, text] : cases) {
    char shown[VALUE_TEXT_SIZE];
    format_value(v, shown);
    EXPECT_STREQ(shown, text) << v;
  }
}
