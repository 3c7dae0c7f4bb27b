// The object list through its own cells; row r of the cells is record list_first + r.
#include "panels/list_panel.h"

#include "support/cells.h"
#include "support/ui_scene.h"

static void click(const char* cell, int row = 0) { click_cell(list_layout, cell, 0, row); }

using ObjectList = UiScene<3>;  // records 6, 7 and 8, the last one current

TEST_F(ObjectList, ANameMakesItsRecordCurrentAndAgainTogglesTheHighlight) {
  ObjectTable[6].angles[1] = 33;
  click("name", 0);
  EXPECT_EQ(current_record, 6);
  EXPECT_EQ(edit_angles[1], 33);
  click("name", 0);
  EXPECT_EQ(highlight_current, 1);
  list_first = 7;  // scrolled: row 0 is record 7
  click("name", 0);
  EXPECT_EQ(current_record, 7);
  EXPECT_EQ(highlight_current, 1);
}

TEST_F(ObjectList, ANumberMarksAndUnmarksItsRecord) {
  click("mark", 1);
  EXPECT_EQ(ClusterTable[7], 1);
  click("mark", 1);
  EXPECT_EQ(ClusterTable[7], 0);
}

TEST_F(ObjectList, ClicksOnTheCellEdgesAndBelowTheLastObjectDoNothing) {
  const int clicks[][3] = {{0, 30, 37}, {0, 80, 5}, {0, 10, 67}, {0, 60, 67}, {2, 10, 22}};
  for (const auto& [button, x, y] : clicks) list_click(button, 0, x, y);
  EXPECT_EQ(current_record, 8);
  EXPECT_EQ(cluster_mode, 0);
  for (int i = 6; i <= 9; i++) EXPECT_EQ(ClusterTable[i], 0) << i;
}

// Which copies are marked is the cluster duplication's own test.
TEST_F(ObjectList, PlusDuplicatesTheCurrentOrInClusterModeTheClusterIntoTheSafetyNet) {
  list_click(0, 0, 81, 7);  // "+" from x 81
  EXPECT_EQ(last_record, 9);
  EXPECT_TRUE(written("safety_net.ses"));
  ClusterTable[8] = ClusterTable[9] = cluster_mode = 1;
  click("+");
  EXPECT_EQ(last_record, 11);
}

TEST_F(ObjectList, PlusOnALightOrAFullTableWritesNothing) {
  current_record = 3;
  click("+");
  EXPECT_EQ(last_record, 8);
  current_record = 8;
  while (last_record < LAST_INDEX) create_object();
  click("+");
  EXPECT_EQ(too_many_objects, 1);
  EXPECT_FALSE(written("safety_net.ses"));
}

TEST_F(ObjectList, MinusAsksBeforeDeletingOrSaysTheCurrentIsNoMember) {
  click("-");
  EXPECT_EQ(confirm_delete, 1);
  confirm_delete = 0, cluster_mode = 1;
  click("-");
  EXPECT_EQ(not_in_cluster, 1);
  EXPECT_EQ(confirm_delete, 0);
}
