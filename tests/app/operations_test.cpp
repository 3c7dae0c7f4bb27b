#include <gtest/gtest.h>

#include <cstring>

#include "app/scene.h"
#include "app/startup.h"

namespace {

class Operations : public ::testing::Test {
 protected:
  void SetUp() override { reset_all(); }
};

// Appends an object of the given type through the real creation path.
int add(int type) {
  new_type = type;
  create_object();
  return current_record;
}

void make_current(int i) {
  current_record = i;
  load_edit_buffer();
}

}  // namespace

TEST_F(Operations, CreationDuplicationAndTheirSources) {
  // A fresh start shows light4, its grey 0.2 truncated to the byte 51.
  EXPECT_EQ(last_record, 5);
  EXPECT_EQ(current_record, 5);
  EXPECT_EQ(edit_color[0], 51);

  make_current(2);  // a light is current: the first object gets the start values
  ASSERT_EQ(add(TYPE_SPHERE), 6);
  EXPECT_STREQ(ObjectTable[6].name, "sphere");
  EXPECT_FLOAT_EQ(ObjectTable[6].color[0], 200.0f / 255.0f);
  EXPECT_EQ(edit_color[0], 200);

  // A later object copies the last object's values, but not its silhouette.
  ObjectRecord& s = ObjectTable[6];
  s.silend = 4;
  s.sil[4][0] = 4.0f;
  s.position[0] = 3.5f;
  s.angles[1] = 30;
  s.knots = 1;
  CodeBindingTable[6] = 3;
  make_current(1);
  ASSERT_EQ(add(TYPE_REVOLUTION), 7);
  const ObjectRecord& r = ObjectTable[7];
  EXPECT_STREQ(r.name, "revolution");
  EXPECT_FLOAT_EQ(r.position[0], 3.5f);
  EXPECT_EQ(r.angles[1], 30);
  EXPECT_EQ(r.knots, 1);
  EXPECT_EQ(r.silend, -1);
  EXPECT_FLOAT_EQ(edit_position[0], 3.5f);

  // duplicate_current keeps the silhouette, the name and the binding, not the mark.
  make_current(6);
  ClusterTable[6] = 1;
  duplicate_current();
  EXPECT_EQ(current_record, 8);
  EXPECT_FLOAT_EQ(ObjectTable[8].sil[4][0], 4.0f);
  EXPECT_STREQ(ObjectTable[8].name, "sphere");
  EXPECT_EQ(CodeBindingTable[8], 3);
  EXPECT_EQ(ClusterTable[8], 0);

  // A separate extrusion's three parts become the whole cluster.
  add(TYPE_OPENEXT);
  add(TYPE_FFACE);
  add(TYPE_BFACE);
  EXPECT_EQ(cluster_mode, 1);
  for (int i = 6; i <= 11; i++) EXPECT_EQ(ClusterTable[i], i >= 9) << i;
}

TEST_F(Operations, FullTableRefusesCreationAndChangesNothing) {
  while (last_record < 75) add(TYPE_CONE);
  // The list followed the new rows so that the last one stays visible.
  EXPECT_EQ(list_first + list_rows, 75);
  ObjectRecord before[MAX_RECORDS];
  std::memcpy(before, ObjectTable, sizeof before);
  add(TYPE_BOX);
  EXPECT_EQ(too_many_objects, 1);
  EXPECT_EQ(last_record, 75);
  EXPECT_EQ(current_record, 75);
  EXPECT_EQ(std::memcmp(before, ObjectTable, sizeof before), 0);
}

TEST_F(Operations, DeletionShiftsRecordsMarksAndBindings) {
  for (int t = 0; t < 4; t++) add(t);  // box 6, sphere 7, cylinder 8, cone 9
  ClusterTable[8] = 1;
  CodeBindingTable[8] = 2;
  CodeBindingTable[9] = 4;

  current_record = 7;  // a middle one: the one below becomes current
  delete_current();
  EXPECT_EQ(last_record, 8);
  EXPECT_EQ(current_record, 6);
  EXPECT_STREQ(ObjectTable[7].name, "cylinder");
  EXPECT_EQ(ClusterTable[7], 1);
  EXPECT_EQ(CodeBindingTable[7], 2);
  EXPECT_EQ(ClusterTable[8], 0);
  EXPECT_EQ(CodeBindingTable[8], 4);
  EXPECT_EQ(CodeBindingTable[9], 0);

  current_record = 6;  // the first: light4 becomes current, its values in the buffer
  delete_current();
  EXPECT_EQ(current_record, 5);
  EXPECT_EQ(edit_color[0], 51);
  EXPECT_STREQ(ObjectTable[6].name, "cylinder");

  cluster_mode = 1;
  delete_all();
  EXPECT_EQ(last_record, 5);
  EXPECT_EQ(current_record, 5);
  EXPECT_EQ(ClusterTable[6] + CodeBindingTable[6] + CodeBindingTable[7], 0);
  EXPECT_EQ(cluster_mode, 1);
  EXPECT_STREQ(ObjectTable[3].name, "light2");
}

TEST_F(Operations, EditBufferCopyBufferAndHighlight) {
  add(TYPE_REVOLUTION);
  add(TYPE_BOX);
  ObjectRecord& src = ObjectTable[6];
  src.color[0] = 0.5f;
  src.color[1] = 0.2f;
  make_current(6);
  EXPECT_EQ(edit_color[0], 127);  // truncated bytes
  EXPECT_EQ(edit_color[1], 51);
  src.pick[0] = 0.3f;
  edit_pick[0] = -0.9f;
  apply_edit_buffer();
  EXPECT_FLOAT_EQ(src.color[0], 127.0f / 255.0f);
  EXPECT_FLOAT_EQ(src.color[1], 0.2f);
  EXPECT_FLOAT_EQ(src.pick[0], 0.3f);  // the pick is not applied
  // A channel past 1.0 (after an intensity raise) or below 0 loads clamped.
  src.color[2] = 1.3f;
  src.color[1] = -0.5f;
  load_edit_buffer();
  EXPECT_EQ(edit_color[2], 255);
  EXPECT_EQ(edit_color[1], 0);

  src.silend = 5;
  src.silpix[5][1] = 50.0f;
  src.shine = 0.3f;
  src.order = 4;
  CodeBindingTable[6] = 5;
  paste_color_properties(7);  // nothing copied yet: nothing changes
  EXPECT_EQ(CodeBindingTable[7], 0);
  copy_to_copy_buffer(6);
  copy_valid = 1;
  paste_color_properties(7);
  EXPECT_EQ(CodeBindingTable[7], 5);
  EXPECT_FLOAT_EQ(ObjectTable[7].shine, 0.3f);
  EXPECT_EQ(ObjectTable[7].silend, -1);
  paste_silhouette(7);
  EXPECT_EQ(ObjectTable[7].silend, 5);
  EXPECT_EQ(ObjectTable[7].order, 4);
  EXPECT_FLOAT_EQ(ObjectTable[7].silpix[5][1], 50.0f);
  EXPECT_EQ(ObjectTable[7].surfacetype, TYPE_BOX);

  make_highlight_record(6);
  EXPECT_FLOAT_EQ(HighlightRecord.color[0], 1.0f - src.color[0]);
  EXPECT_FLOAT_EQ(HighlightRecord.color[3], 1.0f);
  EXPECT_EQ(HighlightRecord.silend, 5);
  copy_record(76, 6);  // past the table: ignored (the sanitizers would see a write)
}

TEST_F(Operations, StepFieldLimits) {
  add(TYPE_BOX);
  const ObjectRecord& r = ObjectTable[6];
  edit_scales[0] = 0.01f;
  step_field(FIELD_SCALE_X, 0, -0.01f, 6);  // 0.0 is below the limit
  edit_scales[1] = 9.95f;
  step_field(FIELD_SCALE_Y, 0, 0.1f, 6);  // 10.05 is above it
  EXPECT_FLOAT_EQ(r.scales[0], 0.01f);
  EXPECT_FLOAT_EQ(r.scales[1], 9.95f);
  step_field(FIELD_SCALE_ALL, 0, 0.05f, 6);  // refused for all when one would leave
  EXPECT_FLOAT_EQ(r.scales[2], 0.2f);
  step_field(FIELD_SCALE_ALL, 0, 0.01f, 6);
  EXPECT_FLOAT_EQ(r.scales[0] + r.scales[2], 0.23f);
  step_field(FIELD_ANGLE_X, 0, -720, 6);
  step_field(FIELD_ANGLE_X, 0, -1, 6);
  EXPECT_EQ(r.angles[0], -720);
  step_field(FIELD_POS_Y, 0, -1000.0f, 6);  // positions have no limit
  EXPECT_FLOAT_EQ(r.position[1], -1000.0f);

  // Cluster steps: a decrease refused when one member would fall below the
  // lower limit, no upper limit, unmarked objects left alone.
  add(TYPE_BOX);
  add(TYPE_BOX);
  ClusterTable[6] = ClusterTable[8] = 1;
  ObjectTable[8].scales[0] = 0.005f;
  ObjectTable[8].scales[1] = 9.99f;
  make_current(6);
  step_field(FIELD_SCALE_X, 1, -0.01f, 6);
  EXPECT_FLOAT_EQ(ObjectTable[8].scales[0], 0.005f);
  EXPECT_FLOAT_EQ(r.scales[0], 0.02f);
  step_field(FIELD_SCALE_Y, 1, 1.0f, 6);
  EXPECT_FLOAT_EQ(ObjectTable[8].scales[1], 10.99f);
  EXPECT_FLOAT_EQ(ObjectTable[7].scales[1], 9.96f);
  step_field(FIELD_ANGLE_Y, 1, -5.7f, 6);  // truncated toward zero
  EXPECT_EQ(ObjectTable[8].angles[1], -5);

  make_current(7);  // not a member: refused with the message
  step_field(FIELD_POS_X, 1, 1.0f, 7);
  EXPECT_EQ(not_in_cluster, 1);
  EXPECT_FLOAT_EQ(ObjectTable[7].position[0], 0.0f);

  not_in_cluster = 0;  // a light steps alone, with the single limits
  make_current(3);
  step_field(FIELD_SCALE_X, 1, 9.88f, 3);
  step_field(FIELD_SCALE_X, 1, 0.1f, 3);
  EXPECT_NEAR(ObjectTable[3].scales[0], 9.98f, 1e-5);
  EXPECT_EQ(not_in_cluster, 0);
}

TEST_F(Operations, ColorToPick) {
  const int colours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {200, 200, 200}};
  const float marks[4][2] = {{-1, 0}, {0.5f, 0.8660254f}, {0.5f, -0.8660254f}, {0, 0}};
  for (int i = 0; i < 4; i++) {
    float out[2] = {9, 9};
    color_to_pick(colours[i][0], colours[i][1], colours[i][2], out);
    EXPECT_NEAR(out[0], marks[i][0], 1e-5) << i;
    EXPECT_NEAR(out[1], marks[i][1], 1e-5) << i;
  }
  EXPECT_FLOAT_EQ(edit_intensity, 200.0f / 255.0f);
  // Black: intensity 0 and the mark stays.
  float out[2] = {0.25f, -0.5f};
  color_to_pick(0, 0, 0, out);
  EXPECT_EQ(edit_intensity, 0.0f);
  EXPECT_EQ(out[0], 0.25f);
  EXPECT_EQ(out[1], -0.5f);
}
