#include "panels/list_panel.h"

#include "input/ui_fixture.h"

static void press(int x, int y) { list_click(0, 0, x, y); }
static int row_y(int i) { return 15 * (i - list_first + 1) + 7; }  // y inside record i's row

using ObjectList = UiTestWith<3>;

TEST_F(ObjectList, HeaderCells) {
  press(30, 5);
  press(80, 5);
  list_click(2, 0, 40, 5);
  EXPECT_EQ(cluster_mode, 0);
  press(31, 5);
  press(10, 5);  // "-" with the current record unmarked
  EXPECT_EQ(state(cluster_mode, not_in_cluster), state(1, 1));
  ClusterTable[7] = ClusterTable[8] = 1;
  press(100, 5);  // "+": the copies become the cluster
  EXPECT_EQ(state(last_record, ClusterTable[8], ClusterTable[9], ClusterTable[10]),
            state(10, 0, 1, 1));
  EXPECT_TRUE(written("safety_net.ses"));
  EXPECT_FALSE(written("backup.ses"));

  press(79, 5);
  press(10, 5);
  EXPECT_EQ(confirm_delete, 1);
  current_record = 5;
  press(100, 5);  // a light is current
  current_record = 10;
  while (last_record < LAST_INDEX) create_object();
  press(100, 5);
  EXPECT_EQ(state(too_many_objects, written("safety_net.ses")), state(1, false));
}

TEST_F(ObjectList, RowsMarkSelectAndHighlight) {
  press(10, row_y(7));
  EXPECT_EQ(ClusterTable[7], 1);
  ObjectTable[6].angles[1] = 33;
  press(60, row_y(6));
  EXPECT_EQ(edit_angles[1], 33);
  press(60, row_y(6));  // the current row again
  press(60, row_y(7));
  EXPECT_EQ(state(current_record, highlight_current), state(7, 1));
  press(30, row_y(8));  // between the cells
  press(60, row_y(9));  // below the last object
  press(10, row_y(9));
  EXPECT_EQ(state(current_record, ClusterTable[8], ClusterTable[9]), state(7, 0, 0));
  list_first = 10;  // two rows past the last object even the header is ignored
  press(40, 5);
  EXPECT_EQ(cluster_mode, 0);
}
