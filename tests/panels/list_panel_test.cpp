#include <gtest/gtest.h>

#include "app/scene.h"
#include "app/startup.h"
#include "input/scratch_dir.h"
#include "panels/list_panel.h"

namespace {

void press(int x, int y) { list_click(0, 0, x, y); }

// y of the list row that shows record i, with the list at its start position.
int row_y(int i) { return 15 * (i - list_first + 1) + 7; }

class ObjectList : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_all();
    for (int i = 0; i < 3; i++) create_object();  // records 6, 7, 8; 8 current
  }
  ScratchDir dir;
};

TEST_F(ObjectList, HeaderCells) {
  press(30, 5);
  press(80, 5);
  EXPECT_EQ(cluster_mode, 0);
  press(31, 5);
  EXPECT_EQ(cluster_mode, 1);
  press(79, 5);
  EXPECT_EQ(cluster_mode, 0);

  press(100, 5);  // "+" in object mode
  EXPECT_EQ(last_record, 9);
  EXPECT_EQ(current_record, 9);
  EXPECT_TRUE(ScratchDir::exists("safety_net.ses"));
  EXPECT_FALSE(ScratchDir::exists("backup.ses"));

  press(10, 5);  // "-" in object mode asks
  EXPECT_EQ(confirm_delete, 1);
  confirm_delete = 0;

  cluster_mode = 1;
  press(10, 5);  // current record not marked
  EXPECT_EQ(not_in_cluster, 1);
  EXPECT_EQ(confirm_delete, 0);
  not_in_cluster = 0;

  ClusterTable[7] = ClusterTable[9] = 1;
  press(100, 5);  // "+" in cluster mode duplicates both members
  EXPECT_EQ(last_record, 11);
  EXPECT_EQ(ClusterTable[9], 0);
  EXPECT_EQ(ClusterTable[10] + ClusterTable[11], 2);
  EXPECT_EQ(current_record, 11);

  list_click(2, 0, 10, 5);  // any button but a left press does nothing
  list_click(0, 1, 10, 5);
  EXPECT_EQ(confirm_delete, 0);
}

TEST_F(ObjectList, PlusRefusedOrOnALightWritesNothing) {
  current_record = 5;
  press(100, 5);
  EXPECT_EQ(last_record, 8);
  while (last_record < LAST_INDEX) create_object();
  press(100, 5);
  EXPECT_EQ(too_many_objects, 1);
  EXPECT_FALSE(ScratchDir::exists("safety_net.ses"));
}

TEST_F(ObjectList, RowsMarkSelectAndHighlight) {
  press(10, row_y(7));
  EXPECT_EQ(ClusterTable[7], 1);
  press(10, row_y(7));
  EXPECT_EQ(ClusterTable[7], 0);

  ObjectTable[6].angles[1] = 33;
  press(60, row_y(6));
  EXPECT_EQ(current_record, 6);
  EXPECT_EQ(edit_angles[1], 33);
  EXPECT_EQ(highlight_current, 0);
  press(60, row_y(6));
  EXPECT_EQ(highlight_current, 1);
  press(60, row_y(7));  // selecting another row keeps the highlight
  EXPECT_EQ(current_record, 7);
  EXPECT_EQ(highlight_current, 1);

  press(30, row_y(8));  // the pixel between the two cells
  EXPECT_EQ(current_record, 7);
  EXPECT_EQ(ClusterTable[8], 0);
  press(60, row_y(9));  // below the last object
  press(10, row_y(9));
  EXPECT_EQ(current_record, 7);
  EXPECT_EQ(ClusterTable[9], 0);

  // Scrolled two rows past the last object, even the header is ignored.
  list_first = 10;
  press(40, 5);
  EXPECT_EQ(cluster_mode, 0);
}

}  // namespace
