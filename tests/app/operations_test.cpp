// Object and cluster operations on the scene table.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/scene.h"
#include "support/resets.h"

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

TEST_F(Operations, ANewObjectCopiesTheLastOneButNotItsSilhouette) {
  ObjectRecord& s = ObjectTable[add(TYPE_SPHERE)];
  s.silend = 4, s.position[0] = 3.5f, s.angles[1] = 30, s.knots = 1;
  make_current(1);  // from a light too
  ASSERT_EQ(add(TYPE_REVOLUTION), 7);
  const ObjectRecord& r = ObjectTable[7];
  EXPECT_EQ(name(7), "revolution");
  EXPECT_EQ(r.position[0], 3.5f);
  EXPECT_EQ(r.angles[1], 30);
  EXPECT_EQ(r.knots, 1);
  EXPECT_EQ(r.silend, -1);
  EXPECT_EQ(edit_position[0], 3.5f);
}

TEST_F(Operations, DuplicationKeepsSilhouetteNameAndBindingButNotTheMark) {
  ObjectRecord& s = ObjectTable[add(TYPE_SPHERE)];
  s.silend = 4, s.sil[4][0] = 4.0f;
  CodeBindingTable[6] = 3, ClusterTable[6] = 1;
  duplicate_current();
  EXPECT_EQ(current_record, 7);
  EXPECT_EQ(ObjectTable[7].sil[4][0], 4.0f);
  EXPECT_EQ(name(7), "sphere");
  EXPECT_EQ(CodeBindingTable[7], 3);
  EXPECT_EQ(ClusterTable[7], 0);
}

TEST_F(Operations, DeletingShiftsTheLaterRecordsMarksAndBindingsDown) {
  for (int t = 0; t < 4; t++) add(t);  // box 6, sphere 7, cylinder 8, cone 9
  ClusterTable[8] = 1;
  CodeBindingTable[8] = 2, CodeBindingTable[9] = 4;
  current_record = 7;  // a middle one: the one below becomes current
  delete_current();
  EXPECT_EQ(last_record, 8);
  EXPECT_EQ(current_record, 6);
  EXPECT_EQ(name(7), "cylinder");
  EXPECT_EQ(ClusterTable[7], 1);
  EXPECT_EQ(CodeBindingTable[7], 2);
  EXPECT_EQ(ClusterTable[8], 0);
  EXPECT_EQ(CodeBindingTable[8], 4);
  EXPECT_EQ(CodeBindingTable[9], 0);
}

TEST_F(Operations, DeletingTheFirstObjectMakesTheLastLightCurrent) {
  add(TYPE_BOX), add(TYPE_CYLINDER);
  current_record = 6;
  delete_current();
  EXPECT_EQ(current_record, LAST_LIGHT);
  EXPECT_EQ(edit_color[0], 51) << "light4's grey 0.2";
  EXPECT_EQ(name(6), "cylinder");
}

TEST_F(Operations, DeleteAllKeepsTheLights) {
  add(TYPE_BOX), add(TYPE_CYLINDER);
  ClusterTable[6] = 1, CodeBindingTable[7] = 2;
  delete_all();
  EXPECT_EQ(last_record, LAST_LIGHT);
  EXPECT_EQ(current_record, LAST_LIGHT);
  EXPECT_EQ(name(3), "light2");
  EXPECT_EQ(ClusterTable[6], 0);
  EXPECT_EQ(CodeBindingTable[7], 0);
}

TEST_F(Operations, EditBufferBytesAreTruncatedAndClamped) {
  ObjectRecord& r = ObjectTable[add(TYPE_BOX)];
  r.color[0] = 0.5f, r.color[1] = 1.3f, r.color[2] = -0.5f;
  load_edit_buffer();
  EXPECT_EQ(edit_color[0], 127);
  EXPECT_EQ(edit_color[1], 255);
  EXPECT_EQ(edit_color[2], 0);
  apply_edit_buffer();
  EXPECT_EQ(r.color[0], 127 / 255.0f);
  EXPECT_EQ(r.color[1], 1.0f);
  copy_record(76, 6);  // past the table: ignored (the sanitizers would see a write)
}

TEST_F(Operations, ScalesStayWithinTheirLimits) {
  add(TYPE_BOX);
  const ObjectRecord& r = ObjectTable[6];
  edit_scales[0] = 0.01f, edit_scales[1] = 9.95f;
  step_field(FIELD_SCALE_X, 0, -0.01f, 6);   // 0.0 is below the limit
  step_field(FIELD_SCALE_Y, 0, 0.1f, 6);     // 10.05 is above it
  step_field(FIELD_SCALE_ALL, 0, 0.05f, 6);  // refused for all when one would leave
  EXPECT_EQ(r.scales[0], 0.01f);
  EXPECT_EQ(r.scales[1], 9.95f);
  EXPECT_EQ(r.scales[2], 0.2f);
  step_field(FIELD_SCALE_ALL, 0, 0.01f, 6);
  EXPECT_FLOAT_EQ(r.scales[0], 0.02f);
  EXPECT_FLOAT_EQ(r.scales[2], 0.21f);
}

TEST_F(Operations, AnglesStopAt720EitherWay) {
  add(TYPE_BOX);
  const int steps[][3] = {{710, 10, 720},    {711, 10, 711},    {720, 1, 720},
                          {-710, -10, -720}, {-711, -10, -711}, {-720, -1, -720}};
  for (const auto& [from, step, to] : steps) {
    edit_angles[0] = from;
    step_field(FIELD_ANGLE_X, 0, static_cast<float>(step), 6);
    EXPECT_EQ(ObjectTable[6].angles[0], to) << from << " + " << step;
  }
}

struct ClusterSteps : Operations {
  void SetUp() override {
    Operations::SetUp();
    for (int i = 0; i < 3; i++) add(TYPE_BOX);  // 6 and 8 are members, 6 current
    ClusterTable[6] = ClusterTable[8] = 1;
    make_current(6);
  }
};

TEST_F(ClusterSteps, OnlyADecreaseBelowTheLowerLimitOfAMemberIsRefused) {
  ObjectTable[8].scales[0] = 0.005f, ObjectTable[8].scales[1] = 9.99f;
  step_field(FIELD_SCALE_X, 1, -0.01f, 6);
  EXPECT_EQ(ObjectTable[8].scales[0], 0.005f);
  EXPECT_EQ(ObjectTable[6].scales[0], 0.2f);
  step_field(FIELD_SCALE_ALL, 1, -0.01f, 6);  // refused too: one member's x would leave
  EXPECT_EQ(ObjectTable[6].scales[2], 0.2f);
  step_field(FIELD_SCALE_Y, 1, 1.0f, 6);  // no upper limit; others stay
  EXPECT_FLOAT_EQ(ObjectTable[8].scales[1], 10.99f);
  EXPECT_FLOAT_EQ(ObjectTable[6].scales[1], 1.2f);
  EXPECT_FLOAT_EQ(ObjectTable[7].scales[1], 0.2f);
}

TEST_F(ClusterSteps, AMembersAngleStepIsTruncatedTowardZero) {
  step_field(FIELD_ANGLE_Y, 1, -5.7f, 6);
  EXPECT_EQ(ObjectTable[8].angles[1], -5);
}

TEST_F(ClusterSteps, AnUnmarkedCurrentObjectIsRefusedWithTheMessage) {
  make_current(7);
  step_field(FIELD_POS_X, 1, 1.0f, 7);
  EXPECT_EQ(not_in_cluster, 1);
  EXPECT_EQ(ObjectTable[7].position[0], 0.0f);
}

TEST_F(ClusterSteps, ALightStepsAloneWithTheSingleLimits) {
  make_current(3);
  step_field(FIELD_SCALE_X, 1, 9.88f, 3);
  step_field(FIELD_SCALE_X, 1, 0.1f, 3);
  EXPECT_NEAR(ObjectTable[3].scales[0], 9.98f, 1e-5);
  EXPECT_EQ(not_in_cluster, 0);
}

TEST_F(Operations, ColorToPickPutsTheMarkAtTheHueAndSetsTheIntensity) {
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

TEST_F(Operations, TheListFollowsNewRowsAndAFullTableRefusesCreation) {
  fill(LAST_INDEX - LAST_LIGHT);
  EXPECT_EQ(list_first + list_rows, LAST_INDEX);
  ObjectRecord before[MAX_RECORDS];
  std::memcpy(before, ObjectTable, sizeof before);
  add(TYPE_BOX);
  EXPECT_EQ(too_many_objects, 1);
  EXPECT_EQ(last_record, LAST_INDEX);
  EXPECT_EQ(std::memcmp(before, ObjectTable, sizeof before), 0);
}

TEST_F(Operations, AClusterIsDuplicatedWholeOrNotAtAll) {
  fill(67);  // o6..o72
  ClusterTable[10] = ClusterTable[20] = ClusterTable[30] = 1;
  current_record = 21;  // not a member: refused
  duplicate_cluster();
  EXPECT_EQ(not_in_cluster, 1);
  EXPECT_EQ(last_record, 72);
  current_record = 20;
  duplicate_cluster();  // three copies fill the table; only the copies are marked
  EXPECT_EQ(too_many_objects, 0);
  EXPECT_EQ(last_record, 75);
  EXPECT_EQ(current_record, 74);
  for (int i = 0; i < 3; i++) {
    EXPECT_EQ(name(73 + i), "o" + std::to_string(10 + 10 * i));
    EXPECT_EQ(ClusterTable[10 + 10 * i], 0) << "original " << i;
    EXPECT_EQ(ClusterTable[73 + i], 1) << "copy " << i;
  }
  duplicate_cluster();  // no room for three more
  EXPECT_EQ(too_many_objects, 1);
  EXPECT_EQ(last_record, 75);
}

TEST_F(Operations, DeletingAClusterShiftsTheRestDown) {
  fill(6);  // o6..o11
  ClusterTable[7] = ClusterTable[9] = ClusterTable[11] = 1;
  CodeBindingTable[8] = 2, CodeBindingTable[10] = 3;
  current_record = 9;  // a member: the ambient light becomes current
  delete_cluster();
  EXPECT_EQ(last_record, 8);
  EXPECT_EQ(current_record, 0);
  EXPECT_EQ(name(7), "o8");
  EXPECT_EQ(name(8), "o10");
  EXPECT_EQ(CodeBindingTable[7], 2);
  EXPECT_EQ(CodeBindingTable[8], 3);
  for (int i = 9; i <= 11; i++) EXPECT_EQ(CodeBindingTable[i], 0) << i;
  for (int i = 6; i < MAX_RECORDS; i++) EXPECT_EQ(ClusterTable[i], 0) << i;
}

TEST_F(Operations, AnUnmarkedCurrentObjectKeepsItsRecordWhenTheClusterGoes) {
  fill(5);  // o6..o10
  ClusterTable[6] = ClusterTable[8] = 1;
  current_record = 9;
  delete_cluster();
  EXPECT_EQ(last_record, 8);
  EXPECT_EQ(current_record, 7);
  EXPECT_EQ(name(7), "o9");
}

TEST_F(Operations, ColourPropagatesToMembersWithinAHundredthOfTheOldColour) {
  fill(4);                                              // 6..9, all members but 9
  const float reds[4] = {0.50f, 0.505f, 0.52f, 0.50f};  // within 0.01 of 0.5 or not
  for (int i = 0; i < 4; i++) ClusterTable[6 + i] = i < 3, ObjectTable[6 + i].color[0] = reds[i];
  current_record = 6;
  mark_same_color();
  ObjectTable[6].color[0] = 0.9f, ObjectTable[6].color[3] = 0.5f, ObjectTable[6].shine = 0.1f;
  propagate_color();
  EXPECT_EQ(ObjectTable[7].color[0], 0.9f);
  EXPECT_EQ(ObjectTable[7].shine, 0.1f);
  EXPECT_EQ(ObjectTable[7].color[3], 1.0f) << "the fourth component stays";
  EXPECT_EQ(ObjectTable[8].color[0], 0.52f) << "another colour";
  EXPECT_EQ(ObjectTable[9].color[0], 0.50f) << "no member";
}

TEST_F(Operations, SilhouettesAreEqualWithTheSamePointsWithinAHundredth) {
  fill(4);
  current_record = 6;
  for (int i = 6; i <= 8; i++) ObjectTable[i].silend = 1;
  ObjectTable[7].silpix[1][0] = 0.005f, ObjectTable[8].silpix[1][1] = 0.02f;
  EXPECT_EQ(silhouette_equals(7), 1);
  EXPECT_EQ(silhouette_equals(8), 0);
  EXPECT_EQ(silhouette_equals(9), 0) << "no points";
}
