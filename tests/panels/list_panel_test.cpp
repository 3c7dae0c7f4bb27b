#include "panels/list_panel.h"

#include "input/ui_fixture.h"

static void press(std::initializer_list<std::pair<int, int>> points) {
  for (const auto& [x, y] : points) list_click(0, 0, x, y);
}
static int row_y(int i) { return 15 * (i - list_first + 1) + 7; }  // y inside record i's row

using ObjectList = UiTest<3>;

TEST_F(ObjectList, HeaderAndRows) {
  ObjectTable[6].angles[1] = 33;
  press({{10, row_y(7)}, {60, row_y(6)}});
  EXPECT_EQ(state(ClusterTable[7], edit_angles[1]), state(1, 33));
  press({{60, row_y(6)}, {60, row_y(7)}});  // the current row again, then another
  EXPECT_EQ(state(current_record, highlight_current), state(7, 1));
  press({{30, row_y(8)}, {60, row_y(9)}, {10, row_y(9)}});  // between the cells; past the last
  EXPECT_EQ(state(current_record, ClusterTable[8], ClusterTable[9]), state(7, 0, 0));
  current_record = 8;  // unmarked
  press({{30, 5}, {80, 5}});
  list_click(2, 0, 40, 5);
  EXPECT_EQ(cluster_mode, 0);
  press({{31, 5}, {10, 5}});  // "-" with the current record unmarked
  EXPECT_EQ(state(cluster_mode, not_in_cluster), state(1, 1));
  ClusterTable[7] = ClusterTable[8] = 1;
  press({{100, 5}});  // "+": the copies become the cluster
  EXPECT_EQ(state(last_record, ClusterTable[8], ClusterTable[9], ClusterTable[10]),
            state(10, 0, 1, 1));
  EXPECT_EQ(state(written("safety_net.ses"), written("backup.ses")), state(true, false));
  press({{79, 5}, {10, 5}});
  EXPECT_EQ(confirm_delete, 1);
  while (last_record < LAST_INDEX) create_object();
  press({{100, 5}});
  EXPECT_EQ(state(too_many_objects, written("safety_net.ses")), state(1, false));
}
