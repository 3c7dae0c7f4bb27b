#include <gtest/gtest.h>

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

TEST_F(Clusters, DuplicateAtTheLimit) {
  fill(67);  // last_record 72
  ClusterTable[10] = ClusterTable[20] = ClusterTable[30] = 1;
  current_record = 20;
  duplicate_cluster();
  EXPECT_EQ(too_many_objects, 0);
  EXPECT_EQ(last_record, 75);
  EXPECT_EQ(current_record, 74);  // the copy of the current object
  EXPECT_STREQ(ObjectTable[73].name, "o10");
  EXPECT_STREQ(ObjectTable[74].name, "o20");
  EXPECT_STREQ(ObjectTable[75].name, "o30");
  EXPECT_EQ(ClusterTable[10] + ClusterTable[20] + ClusterTable[30], 0);
  EXPECT_EQ(ClusterTable[73] + ClusterTable[74] + ClusterTable[75], 3);
  EXPECT_EQ(list_first + list_rows, 75);

  // Now three more do not fit: refused, nothing changes.
  duplicate_cluster();
  EXPECT_EQ(too_many_objects, 1);
  EXPECT_EQ(last_record, 75);
  EXPECT_EQ(current_record, 74);
}

TEST_F(Clusters, DuplicateNeedsTheCurrentAsMember) {
  fill(3);
  ClusterTable[6] = 1;
  current_record = 7;
  duplicate_cluster();
  EXPECT_EQ(not_in_cluster, 1);
  EXPECT_EQ(last_record, 8);
}

TEST_F(Clusters, DeleteInterleavedMarks) {
  fill(6);  // o6..o11
  ClusterTable[7] = ClusterTable[9] = ClusterTable[11] = 1;
  CodeBindingTable[8] = 2;
  CodeBindingTable[10] = 3;
  current_record = 9;
  delete_cluster();
  EXPECT_EQ(last_record, 8);
  EXPECT_STREQ(ObjectTable[6].name, "o6");
  EXPECT_STREQ(ObjectTable[7].name, "o8");
  EXPECT_STREQ(ObjectTable[8].name, "o10");
  EXPECT_EQ(CodeBindingTable[7], 2);
  EXPECT_EQ(CodeBindingTable[8], 3);
  EXPECT_EQ(CodeBindingTable[9] + CodeBindingTable[10] + CodeBindingTable[11], 0);
  EXPECT_EQ(current_record, 0);  // the current object was deleted
  for (int i = 6; i < MAX_RECORDS; i++) EXPECT_EQ(ClusterTable[i], 0);
}

TEST_F(Clusters, DeleteKeepsTheCurrentObjectWhenNotMarked) {
  fill(6);
  ClusterTable[6] = ClusterTable[8] = 1;
  current_record = 10;  // "o10" moves down by two
  delete_cluster();
  EXPECT_EQ(last_record, 9);
  EXPECT_EQ(current_record, 8);
  EXPECT_STREQ(ObjectTable[current_record].name, "o10");
  current_record = 7;  // nothing below it is marked after this one: it stays
  ClusterTable[9] = 1;
  delete_cluster();
  EXPECT_EQ(current_record, 7);
  EXPECT_LE(current_record, last_record);
}

TEST_F(Clusters, ColourToleranceAndPropagation) {
  fill(4);  // 6..9
  for (int i = 6; i <= 9; i++) ClusterTable[i] = 1;
  ObjectTable[6].color[0] = 0.50f;
  ObjectTable[7].color[0] = 0.505f;
  ObjectTable[8].color[0] = 0.52f;
  ObjectTable[9].color[0] = 0.50f;
  ClusterTable[9] = 0;
  current_record = 6;
  mark_same_color();
  EXPECT_EQ(same_color[6], 1);
  EXPECT_EQ(same_color[7], 1);
  EXPECT_EQ(same_color[8], 0);
  EXPECT_EQ(same_color[9], 1);
  ObjectTable[6].color[0] = 0.9f;
  ObjectTable[6].color[3] = 0.5f;
  ObjectTable[6].shine = 0.1f;
  propagate_color();
  EXPECT_FLOAT_EQ(ObjectTable[7].color[0], 0.9f);
  EXPECT_FLOAT_EQ(ObjectTable[7].shine, 0.1f);
  EXPECT_FLOAT_EQ(ObjectTable[7].color[3], 1.0f);   // fourth component stays
  EXPECT_FLOAT_EQ(ObjectTable[8].color[0], 0.52f);  // other colour: left alone
  EXPECT_FLOAT_EQ(ObjectTable[9].color[0], 0.50f);  // not a member
}

TEST_F(Clusters, SilhouetteEqualityAndPropagation) {
  fill(4);
  for (int i = 6; i <= 9; i++) {
    ClusterTable[i] = 1;
    ObjectTable[i].silend = 2;
    for (int k = 0; k < 3; k++) {
      ObjectTable[i].silpix[k][0] = 10.0f * k;
      ObjectTable[i].silpix[k][1] = 5.0f;
    }
  }
  ObjectTable[7].silpix[2][1] = 5.005f;  // within 0.01: equal
  ObjectTable[8].silpix[1][0] = 10.02f;  // not equal
  ObjectTable[9].silend = 1;             // fewer points: not equal
  current_record = 6;
  EXPECT_EQ(silhouette_equals(7), 1);
  EXPECT_EQ(silhouette_equals(8), 0);
  EXPECT_EQ(silhouette_equals(9), 0);
  EXPECT_EQ(silhouette_equals(99), 0);

  for (int i = 0; i <= last_record; i++)
    same_silhouette[i] = ClusterTable[i] && silhouette_equals(i);
  ObjectTable[6].silend = 3;
  ObjectTable[6].silpix[3][0] = 40.0f;
  ObjectTable[6].sil[3][0] = 2.0f;
  ObjectTable[6].base[0] = 70.0f;
  ObjectTable[6].order = 4;
  propagate_silhouette();
  EXPECT_EQ(ObjectTable[7].silend, 3);
  EXPECT_FLOAT_EQ(ObjectTable[7].sil[3][0], 2.0f);
  EXPECT_FLOAT_EQ(ObjectTable[7].base[0], 70.0f);
  EXPECT_EQ(ObjectTable[7].order, 3);  // order is not handed on
  EXPECT_EQ(ObjectTable[8].silend, 2);
  EXPECT_EQ(ObjectTable[9].silend, 1);
}
