#include <gtest/gtest.h>

#include <string>

#include "app/scene.h"
#include "app/startup.h"

namespace {

class Clusters : public ::testing::Test {
 protected:
  void SetUp() override { reset_all(); }
  // n boxes named by their index, so that shifts can be followed.
  static void fill(int n) {
    new_type = TYPE_BOX;
    for (int i = 0; i < n; i++) {
      create_object();
      std::snprintf(ObjectTable[current_record].name, NAME_SIZE, "o%d", current_record);
    }
  }
};

}  // namespace

TEST_F(Clusters, DuplicateUpToTheLimit) {
  fill(67);  // last_record 72
  ClusterTable[10] = ClusterTable[20] = ClusterTable[30] = 1;
  current_record = 21;  // not a member: refused
  duplicate_cluster();
  EXPECT_EQ(not_in_cluster, 1);
  EXPECT_EQ(last_record, 72);

  current_record = 20;
  duplicate_cluster();  // three copies fill the table
  EXPECT_EQ(too_many_objects, 0);
  EXPECT_EQ(last_record, 75);
  EXPECT_EQ(current_record, 74);  // the copy of the current object
  for (int i = 0; i < 3; i++) {
    EXPECT_EQ(ObjectTable[73 + i].name, "o" + std::to_string(10 + 10 * i));
    EXPECT_EQ(ClusterTable[10 + 10 * i], 0);  // only the copies are marked
    EXPECT_EQ(ClusterTable[73 + i], 1);
  }
  EXPECT_EQ(list_first + list_rows, 75);

  duplicate_cluster();  // three more do not fit: nothing changes
  EXPECT_EQ(too_many_objects, 1);
  EXPECT_EQ(last_record, 75);
  EXPECT_EQ(current_record, 74);
}

TEST_F(Clusters, DeleteShiftsTheRestDown) {
  fill(6);  // o6..o11
  ClusterTable[7] = ClusterTable[9] = ClusterTable[11] = 1;
  CodeBindingTable[8] = 2;
  CodeBindingTable[10] = 3;
  current_record = 9;
  delete_cluster();
  EXPECT_EQ(last_record, 8);
  EXPECT_STREQ(ObjectTable[7].name, "o8");
  EXPECT_STREQ(ObjectTable[8].name, "o10");
  EXPECT_EQ(CodeBindingTable[7], 2);
  EXPECT_EQ(CodeBindingTable[8], 3);
  EXPECT_EQ(CodeBindingTable[9] + CodeBindingTable[10] + CodeBindingTable[11], 0);
  EXPECT_EQ(current_record, 0);  // the current object was deleted
  for (int i = 6; i < MAX_RECORDS; i++) EXPECT_EQ(ClusterTable[i], 0);

  // An unmarked current object keeps its record, which moves down.
  fill(3);  // o9..o11
  ClusterTable[6] = ClusterTable[8] = ClusterTable[11] = 1;
  current_record = 10;
  delete_cluster();
  EXPECT_EQ(last_record, 8);
  EXPECT_EQ(current_record, 8);
  EXPECT_STREQ(ObjectTable[8].name, "o10");
}

TEST_F(Clusters, ColourGoesToTheMembersThatSharedIt) {
  fill(4);                                              // 6..9, all members but 9
  const float reds[4] = {0.50f, 0.505f, 0.52f, 0.50f};  // within 0.01 of 0.5 or not
  for (int i = 0; i < 4; i++) {
    ClusterTable[6 + i] = i < 3;
    ObjectTable[6 + i].color[0] = reds[i];
  }
  current_record = 6;
  mark_same_color();
  ObjectTable[6].color[0] = 0.9f;
  ObjectTable[6].color[3] = 0.5f;
  ObjectTable[6].shine = 0.1f;
  propagate_color();
  EXPECT_FLOAT_EQ(ObjectTable[7].color[0], 0.9f);
  EXPECT_FLOAT_EQ(ObjectTable[7].shine, 0.1f);
  EXPECT_FLOAT_EQ(ObjectTable[7].color[3], 1.0f);   // the fourth component stays
  EXPECT_FLOAT_EQ(ObjectTable[8].color[0], 0.52f);  // another colour
  EXPECT_FLOAT_EQ(ObjectTable[9].color[0], 0.50f);  // not a member
}
