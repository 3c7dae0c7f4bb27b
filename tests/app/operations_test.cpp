// Object and cluster operations on the scene table.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <tuple>

#include "app/scene.h"
#include "support/resets.h"

using std::make_tuple;
using namespace std::string_literals;

struct Operations : ::testing::Test {
  void SetUp() override { reset_app_layer(); }
};

// Appends an object through the real creation path.
static int add(int type) {
  new_type = type;
  create_object();
  return current_record;
}
// n boxes named "o<index>", so that shifts can be followed.
static void fill(int n) {
  for (int k = last_record + 1, end = k + n; k < end; k++)
    std::snprintf(ObjectTable[add(TYPE_BOX)].name, NAME_SIZE, "o%d", k);
}
static void make_current(int i) {
  current_record = i;
  load_edit_buffer();
}
static std::string name(int i) { return ObjectTable[i].name; }

TEST_F(Operations, CreationAndDuplication) {
  make_current(2);  // a light is current: the first object gets the start values
  ASSERT_EQ(add(TYPE_SPHERE), 6);
  EXPECT_EQ(make_tuple(name(6), +edit_color[0]), make_tuple("sphere"s, 200));
  // From a light again, the last object is copied, but not its silhouette.
  ObjectRecord& s = ObjectTable[6];
  s.silend = 4, s.sil[4][0] = 4.0f, s.position[0] = 3.5f, s.angles[1] = 30, s.knots = 1;
  CodeBindingTable[6] = 3;
  make_current(1);
  ASSERT_EQ(add(TYPE_REVOLUTION), 7);
  const ObjectRecord& r = ObjectTable[7];
  EXPECT_EQ(make_tuple(name(7), r.position[0], r.angles[1], r.knots, r.silend, edit_position[0]),
            make_tuple("revolution"s, 3.5f, 30, 1, -1, 3.5f));
  make_current(6);
  ClusterTable[6] = 1;
  duplicate_current();  // keeps the silhouette, the name and the binding, not the mark
  EXPECT_EQ(make_tuple(current_record, ObjectTable[8].sil[4][0], name(8), CodeBindingTable[8],
                       ClusterTable[8]),
            make_tuple(8, 4.0f, "sphere"s, 3, 0));
  for (int t : {TYPE_OPENEXT, TYPE_FFACE, TYPE_BFACE}) add(t);  // the parts are the cluster
  EXPECT_EQ(cluster_mode, 1);
  for (int i = 6; i <= 11; i++) EXPECT_EQ(ClusterTable[i], i >= 9) << i;
}

TEST_F(Operations, DeletionShiftsRecordsMarksAndBindings) {
  for (int t = 0; t < 4; t++) add(t);  // box 6, sphere 7, cylinder 8, cone 9
  ClusterTable[8] = 1;
  CodeBindingTable[8] = 2, CodeBindingTable[9] = 4;
  current_record = 7;  // a middle one: the one below becomes current
  delete_current();
  EXPECT_EQ(make_tuple(last_record, current_record, name(7)), make_tuple(8, 6, "cylinder"s));
  EXPECT_EQ(make_tuple(ClusterTable[7], CodeBindingTable[7], ClusterTable[8], CodeBindingTable[8],
                       CodeBindingTable[9]),
            make_tuple(1, 2, 0, 4, 0));
  current_record = 6;  // the first: light4 becomes current, its grey 0.2 as the byte 51
  delete_current();
  EXPECT_EQ(make_tuple(current_record, +edit_color[0], name(6)), make_tuple(5, 51, "cylinder"s));
  cluster_mode = 1;
  delete_all();
  EXPECT_EQ(make_tuple(last_record, current_record, cluster_mode, name(3)),
            make_tuple(5, 5, 1, "light2"s));
  EXPECT_EQ(ClusterTable[6] + CodeBindingTable[6] + CodeBindingTable[7], 0);
}

TEST_F(Operations, EditBufferBytesTruncatedAndClamped) {
  ObjectRecord& r = ObjectTable[add(TYPE_BOX)];
  r.color[0] = 0.5f, r.color[1] = 1.3f, r.color[2] = -0.5f;  // out of range: clamped
  load_edit_buffer();
  EXPECT_EQ(make_tuple(+edit_color[0], +edit_color[1], +edit_color[2]), make_tuple(127, 255, 0));
  apply_edit_buffer();
  EXPECT_EQ(make_tuple(r.color[0], r.color[1]), make_tuple(127 / 255.0f, 1.0f));
  copy_record(76, 6);  // past the table: ignored (the sanitizers would see a write)
}

TEST_F(Operations, StepFieldLimits) {
  add(TYPE_BOX);
  const ObjectRecord& r = ObjectTable[6];
  edit_scales[0] = 0.01f, edit_scales[1] = 9.95f;
  step_field(FIELD_SCALE_X, 0, -0.01f, 6);   // 0.0 is below the limit
  step_field(FIELD_SCALE_Y, 0, 0.1f, 6);     // 10.05 is above it
  step_field(FIELD_SCALE_ALL, 0, 0.05f, 6);  // refused for all when one would leave
  EXPECT_EQ(make_tuple(r.scales[0], r.scales[1], r.scales[2]), make_tuple(0.01f, 9.95f, 0.2f));
  step_field(FIELD_SCALE_ALL, 0, 0.01f, 6);
  EXPECT_FLOAT_EQ(r.scales[0] + r.scales[2], 0.23f);
  // Cluster steps: a decrease refused when one member would fall below the
  // lower limit, no upper limit, unmarked objects left alone.
  add(TYPE_BOX);
  ObjectRecord& m = ObjectTable[add(TYPE_BOX)];
  ClusterTable[6] = ClusterTable[8] = 1;
  m.scales[0] = 0.005f, m.scales[1] = 9.99f;
  make_current(6);
  step_field(FIELD_SCALE_X, 1, -0.01f, 6);
  step_field(FIELD_SCALE_Y, 1, 1.0f, 6);
  step_field(FIELD_ANGLE_Y, 1, -5.7f, 6);  // truncated toward zero
  EXPECT_EQ(make_tuple(m.scales[0], r.scales[0], m.angles[1]), make_tuple(0.005f, 0.02f, -5));
  EXPECT_FLOAT_EQ(m.scales[1], 10.99f);
  EXPECT_FLOAT_EQ(ObjectTable[7].scales[1], 9.96f);
  make_current(7);  // not a member: refused with the message
  step_field(FIELD_POS_X, 1, 1.0f, 7);
  EXPECT_EQ(make_tuple(not_in_cluster, ObjectTable[7].position[0]), make_tuple(1, 0.0f));
  not_in_cluster = 0;  // a light steps alone, with the single limits
  make_current(3);
  step_field(FIELD_SCALE_X, 1, 9.88f, 3);
  step_field(FIELD_SCALE_X, 1, 0.1f, 3);
  EXPECT_NEAR(ObjectTable[3].scales[0], 9.98f, 1e-5);
  EXPECT_EQ(not_in_cluster, 0);
}

TEST_F(Operations, ColorToPick) {
  // Red, green and blue at the picker's corners, a grey in the middle; black
  // has no hue and leaves the mark where it was.
  const int rgb[5][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {200, 200, 200}, {0, 0, 0}};
  const float mark[5][2] = {{-1, 0}, {0.5f, 0.8660254f}, {0.5f, -0.8660254f}, {0, 0}, {.25f, .5f}};
  const float intensity[5] = {1, 1, 1, 200 / 255.0f, 0};
  for (int i = 0; i < 5; i++) {
    float out[2] = {.25f, .5f};
    color_to_pick(rgb[i][0], rgb[i][1], rgb[i][2], out);
    EXPECT_NEAR(out[0], mark[i][0], 1e-5) << i;
    EXPECT_NEAR(out[1], mark[i][1], 1e-5) << i;
    EXPECT_FLOAT_EQ(edit_intensity, intensity[i]) << i;
  }
}

TEST_F(Operations, DuplicateClusterAndCreationAtTheLimit) {
  fill(67);                               // o6..o72
  EXPECT_EQ(list_first + list_rows, 72);  // the list followed the new rows
  ClusterTable[10] = ClusterTable[20] = ClusterTable[30] = 1;
  current_record = 21;  // not a member: refused
  duplicate_cluster();
  EXPECT_EQ(make_tuple(not_in_cluster, last_record), make_tuple(1, 72));
  current_record = 20;
  duplicate_cluster();  // three copies fill the table; only the copies are marked
  EXPECT_EQ(make_tuple(too_many_objects, last_record, current_record, list_first + list_rows),
            make_tuple(0, 75, 74, 75));
  for (int i = 0; i < 3; i++) {
    EXPECT_EQ(name(73 + i), "o" + std::to_string(10 + 10 * i));
    EXPECT_EQ(ClusterTable[10 + 10 * i] * 10 + ClusterTable[73 + i], 1);
  }
  // Neither three more copies nor one new object fit: nothing changes.
  ObjectRecord before[MAX_RECORDS];
  std::memcpy(before, ObjectTable, sizeof before);
  duplicate_cluster();
  EXPECT_EQ(too_many_objects, 1);
  too_many_objects = 0;
  add(TYPE_BOX);
  EXPECT_EQ(make_tuple(too_many_objects, last_record, current_record), make_tuple(1, 75, 74));
  EXPECT_EQ(std::memcmp(before, ObjectTable, sizeof before), 0);
}

TEST_F(Operations, DeleteClusterShiftsTheRestDown) {
  fill(6);  // o6..o11
  ClusterTable[7] = ClusterTable[9] = ClusterTable[11] = 1;
  CodeBindingTable[8] = 2, CodeBindingTable[10] = 3;
  current_record = 9;  // a member: the ambient light becomes current
  delete_cluster();
  EXPECT_EQ(make_tuple(last_record, current_record, name(7), name(8), CodeBindingTable[7],
                       CodeBindingTable[8]),
            make_tuple(8, 0, "o8"s, "o10"s, 2, 3));
  EXPECT_EQ(CodeBindingTable[9] + CodeBindingTable[10] + CodeBindingTable[11], 0);
  for (int i = 6; i < MAX_RECORDS; i++) EXPECT_EQ(ClusterTable[i], 0);
  fill(3);  // o9..o11; an unmarked current object keeps its record, which moves down
  ClusterTable[6] = ClusterTable[8] = ClusterTable[11] = 1;
  current_record = 10;
  delete_cluster();
  EXPECT_EQ(make_tuple(last_record, current_record, name(8)), make_tuple(8, 8, "o10"s));
}

TEST_F(Operations, ClusterColourAndSilhouetteTolerance) {
  fill(4);                                              // 6..9, all members but 9
  const float reds[4] = {0.50f, 0.505f, 0.52f, 0.50f};  // within 0.01 of 0.5 or not
  for (int i = 0; i < 4; i++) ClusterTable[6 + i] = i < 3, ObjectTable[6 + i].color[0] = reds[i];
  current_record = 6;
  mark_same_color();
  ObjectTable[6].color[0] = 0.9f, ObjectTable[6].color[3] = 0.5f, ObjectTable[6].shine = 0.1f;
  propagate_color();
  // 7 takes colour and shine but keeps its fourth component; 8 has another
  // colour, 9 is no member.
  const ObjectRecord* t = ObjectTable;
  EXPECT_EQ(make_tuple(t[7].color[0], t[7].shine, t[7].color[3], t[8].color[0], t[9].color[0]),
            make_tuple(0.9f, 0.1f, 1.0f, 0.52f, 0.50f));
  // Silhouettes: the same number of points, each within 0.01 pixels.
  for (int i = 6; i <= 8; i++) ObjectTable[i].silend = 1;
  ObjectTable[7].silpix[1][0] = 0.005f, ObjectTable[8].silpix[1][1] = 0.02f;
  EXPECT_EQ(make_tuple(silhouette_equals(7), silhouette_equals(8), silhouette_equals(9)),
            make_tuple(1, 0, 0));  // 9 has no points
}
