#include "panels/list_panel.h"

#include "input/ui_fixture.h"

namespace {

void press(int x, int y) { list_click(0, 0, x, y); }
int row_y(int i) { return 15 * (i - list_first + 1) + 7; }  // y inside record i's row

struct ObjectList : UiTest {
  void SetUp() override {
    UiTest::SetUp();
    for (int i = 0; i < 3; i++) create_object();  // records 6, 7, 8; 8 current
  }
};

TEST_F(ObjectList, HeaderCells) {
  press(30, 5);
  press(80, 5);
  list_click(2, 0, 40, 5);
  EXPECT_EQ(cluster_mode, 0);
  press(31, 5);
  press(10, 5);  // "-" with the current record unmarked
  EXPECT_EQ(cluster_mode + not_in_cluster, 2);
  ClusterTable[7] = ClusterTable[8] = 1;
  press(100, 5);  // "+": the copies become the cluster
  EXPECT_EQ(last_record, 10);
  EXPECT_EQ(ClusterTable[8] + ClusterTable[9] + ClusterTable[10], 2);
  EXPECT_TRUE(std::filesystem::remove("safety_net.ses"));
  EXPECT_FALSE(has("backup.ses"));

  press(79, 5);
  press(10, 5);
  EXPECT_EQ(confirm_delete, 1);
  current_record = 5;
  press(100, 5);  // a light is current
  current_record = 10;
  while (last_record < LAST_INDEX) create_object();
  press(100, 5);
  EXPECT_EQ(too_many_objects, 1);
  EXPECT_FALSE(has("safety_net.ses"));
}

TEST_F(ObjectList, RowsMarkSelectAndHighlight) {
  press(10, row_y(7));
  EXPECT_EQ(ClusterTable[7], 1);
  ObjectTable[6].angles[1] = 33;
  press(60, row_y(6));
  EXPECT_EQ(edit_angles[1], 33);
  press(60, row_y(6));  // the current row again
  press(60, row_y(7));
  EXPECT_EQ(current_record + highlight_current, 8);
  press(30, row_y(8));  // between the cells
  press(60, row_y(9));  // below the last object
  press(10, row_y(9));
  EXPECT_EQ(current_record, 7);
  EXPECT_EQ(ClusterTable[8] + ClusterTable[9], 0);
  list_first = 10;  // two rows past the last object even the header is ignored
  press(40, 5);
  EXPECT_EQ(cluster_mode, 0);
}

}  // namespace
