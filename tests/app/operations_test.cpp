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

void give_silhouette(int i, int points) {
  ObjectRecord& r = ObjectTable[i];
  r.silend = points - 1;
  for (int k = 0; k < points; k++) {
    r.silpix[k][0] = 20.0f * k;
    r.silpix[k][1] = 10.0f * k;
    r.sil[k][0] = r.silpix[k][0] / 20;
    r.sil[k][1] = r.silpix[k][1] / 20;
  }
}

}  // namespace

TEST_F(Operations, StartValues) {
  EXPECT_EQ(last_record, 5);
  EXPECT_EQ(current_record, 5);
  EXPECT_STREQ(ObjectTable[0].name, "ambient");
  EXPECT_STREQ(ObjectTable[5].name, "light4");
  EXPECT_FLOAT_EQ(ObjectTable[2].color[0], 0.9f);
  EXPECT_FLOAT_EQ(ObjectTable[2].position[2], 30.0f);
  const int on[] = {1, 1, 1, 1, 0, 0};
  for (int i = 0; i < 6; i++) EXPECT_EQ(light_on[i], on[i]) << i;
  // The edit buffer was loaded from light4 (grey 0.2 truncates to 51).
  EXPECT_EQ(edit_color[0], 51);
  EXPECT_FLOAT_EQ(edit_scales[0], 0.1f);
  EXPECT_EQ(edit_order, 0);
}

TEST_F(Operations, CreationFromALightAndFromAnObject) {
  current_record = 2;  // a light is current: the first object gets the grey start values
  load_edit_buffer();
  int n = add(TYPE_SPHERE);
  ASSERT_EQ(n, 6);
  EXPECT_EQ(last_record, 6);
  EXPECT_STREQ(ObjectTable[6].name, "sphere");
  EXPECT_FLOAT_EQ(ObjectTable[6].color[0], 200.0f / 255.0f);
  EXPECT_FLOAT_EQ(ObjectTable[6].color[3], 1.0f);
  EXPECT_FLOAT_EQ(ObjectTable[6].scales[1], 0.2f);
  EXPECT_EQ(ObjectTable[6].order, 3);
  EXPECT_EQ(edit_color[0], 200);

  // A later object copies the current object's values, but not its silhouette.
  give_silhouette(6, 5);
  ObjectTable[6].position[0] = 3.5f;
  ObjectTable[6].angles[1] = 30;
  ObjectTable[6].knots = 1;
  current_record = 1;  // a light again: the last object becomes the source
  load_edit_buffer();
  n = add(TYPE_REVOLUTION);
  ASSERT_EQ(n, 7);
  EXPECT_STREQ(ObjectTable[7].name, "revolution");
  EXPECT_EQ(ObjectTable[7].surfacetype, TYPE_REVOLUTION);
  EXPECT_FLOAT_EQ(ObjectTable[7].position[0], 3.5f);
  EXPECT_FLOAT_EQ(ObjectTable[7].position[3], 0.0f);
  EXPECT_EQ(ObjectTable[7].angles[1], 30);
  EXPECT_EQ(ObjectTable[7].knots, 1);
  EXPECT_EQ(ObjectTable[7].silend, -1);
  EXPECT_FLOAT_EQ(edit_position[0], 3.5f);

  // duplicate_current keeps the silhouette, the name and the binding.
  current_record = 6;
  load_edit_buffer();
  CodeBindingTable[6] = 3;
  duplicate_current();
  EXPECT_EQ(current_record, 8);
  EXPECT_EQ(ObjectTable[8].silend, 4);
  EXPECT_FLOAT_EQ(ObjectTable[8].sil[4][0], 4.0f);
  EXPECT_STREQ(ObjectTable[8].name, "sphere");
  EXPECT_EQ(CodeBindingTable[8], 3);
  EXPECT_EQ(ClusterTable[8], 0);
}

TEST_F(Operations, SeparateExtrusionBecomesTheCluster) {
  add(TYPE_BOX);
  ClusterTable[6] = 1;
  add(TYPE_OPENEXT);
  add(TYPE_FFACE);
  add(TYPE_BFACE);
  EXPECT_EQ(cluster_mode, 1);
  EXPECT_EQ(ClusterTable[6], 0);
  for (int i = 7; i <= 9; i++) EXPECT_EQ(ClusterTable[i], 1) << i;
  EXPECT_STREQ(ObjectTable[9].name, "bface");
}

TEST_F(Operations, FullTableRefusesCreationAndChangesNothing) {
  while (last_record < 75) add(TYPE_CONE);
  EXPECT_EQ(last_record, 75);
  const int list_before = list_first;
  ObjectRecord before[MAX_RECORDS];
  std::memcpy(before, ObjectTable, sizeof before);
  add(TYPE_BOX);
  EXPECT_EQ(too_many_objects, 1);
  too_many_objects = 0;
  duplicate_current();
  EXPECT_EQ(too_many_objects, 1);
  EXPECT_EQ(last_record, 75);
  EXPECT_EQ(current_record, 75);
  EXPECT_EQ(list_first, list_before);
  EXPECT_EQ(std::memcmp(before, ObjectTable, sizeof before), 0);
  // The list followed the new rows so that the last one stays visible.
  EXPECT_GE(list_first + list_rows, 75);
}

TEST_F(Operations, DeletionShiftsRecordsMarksAndBindings) {
  for (int t = 0; t < 4; t++) add(t);  // box 6, sphere 7, cylinder 8, cone 9
  ClusterTable[8] = 1;
  CodeBindingTable[8] = 2;
  CodeBindingTable[9] = 4;

  current_record = 7;  // middle
  delete_current();
  EXPECT_EQ(last_record, 8);
  EXPECT_EQ(current_record, 6);
  EXPECT_STREQ(ObjectTable[7].name, "cylinder");
  EXPECT_EQ(ClusterTable[7], 1);
  EXPECT_EQ(CodeBindingTable[7], 2);
  EXPECT_STREQ(ObjectTable[8].name, "cone");
  EXPECT_EQ(CodeBindingTable[8], 4);
  EXPECT_EQ(ClusterTable[8], 0);
  EXPECT_EQ(CodeBindingTable[9], 0);

  current_record = 8;  // last
  delete_current();
  EXPECT_EQ(last_record, 7);
  EXPECT_EQ(current_record, 7);
  EXPECT_EQ(CodeBindingTable[8], 0);

  current_record = 6;  // first: light4 becomes current
  delete_current();
  EXPECT_EQ(current_record, 5);
  EXPECT_STREQ(ObjectTable[6].name, "cylinder");
  current_record = 6;
  delete_current();
  EXPECT_EQ(last_record, 5);
  EXPECT_EQ(current_record, 5);
  EXPECT_EQ(edit_color[0], 51);  // edit buffer reloaded from light4
}

TEST_F(Operations, DeleteAllKeepsLightsAndMode) {
  add(TYPE_BOX);
  add(TYPE_SPHERE);
  ClusterTable[7] = 1;
  CodeBindingTable[6] = 1;
  cluster_mode = 1;
  delete_all();
  EXPECT_EQ(last_record, 5);
  EXPECT_EQ(current_record, 5);
  EXPECT_EQ(ClusterTable[7], 0);
  EXPECT_EQ(CodeBindingTable[6], 0);
  EXPECT_EQ(cluster_mode, 1);
  EXPECT_STREQ(ObjectTable[3].name, "light2");
}

TEST_F(Operations, EditBufferTruncatesColourBytes) {
  add(TYPE_BOX);
  ObjectTable[6].color[0] = 0.5f;
  ObjectTable[6].color[1] = 0.2f;
  load_edit_buffer();
  EXPECT_EQ(edit_color[0], 127);
  EXPECT_EQ(edit_color[1], 51);
  apply_edit_buffer();
  EXPECT_FLOAT_EQ(ObjectTable[6].color[0], 127.0f / 255.0f);
  EXPECT_FLOAT_EQ(ObjectTable[6].color[1], 0.2f);
  // A channel beyond 1.0 (after an intensity raise) or below 0 loads clamped.
  ObjectTable[6].color[2] = 1.3f;
  ObjectTable[6].color[1] = -0.5f;
  load_edit_buffer();
  EXPECT_EQ(edit_color[2], 255);
  EXPECT_EQ(edit_color[1], 0);
  // apply does not write the pick, the fourth colour component or the name.
  ObjectTable[6].pick[0] = 0.3f;
  edit_pick[0] = -0.9f;
  apply_edit_buffer();
  EXPECT_FLOAT_EQ(ObjectTable[6].pick[0], 0.3f);
  EXPECT_FLOAT_EQ(ObjectTable[6].color[3], 1.0f);
}

TEST_F(Operations, CopyAndPaste) {
  add(TYPE_REVOLUTION);
  add(TYPE_BOX);
  give_silhouette(6, 6);
  ObjectTable[6].color[1] = 0.1f;
  ObjectTable[6].shine = 0.3f;
  ObjectTable[6].order = 4;
  CodeBindingTable[6] = 5;

  paste_color_properties(7);  // nothing copied yet: nothing changes
  EXPECT_EQ(CodeBindingTable[7], 0);

  copy_to_copy_buffer(6);
  copy_valid = 1;
  paste_color_properties(7);
  EXPECT_EQ(CodeBindingTable[7], 5);
  EXPECT_FLOAT_EQ(ObjectTable[7].color[1], 0.1f);
  EXPECT_FLOAT_EQ(ObjectTable[7].shine, 0.3f);
  EXPECT_EQ(ObjectTable[7].silend, -1);
  paste_silhouette(7);
  EXPECT_EQ(ObjectTable[7].silend, 5);
  EXPECT_EQ(ObjectTable[7].order, 4);
  EXPECT_FLOAT_EQ(ObjectTable[7].silpix[5][1], 50.0f);
  EXPECT_EQ(ObjectTable[7].surfacetype, TYPE_BOX);

  make_highlight_record(6);
  EXPECT_FLOAT_EQ(HighlightRecord.color[1], 0.9f);
  EXPECT_FLOAT_EQ(HighlightRecord.color[3], 1.0f);
  EXPECT_EQ(HighlightRecord.silend, 5);

  // copy_record ignores a destination past the table.
  copy_record(76, 6);
  copy_record(-1, 6);
  EXPECT_EQ(last_record, 7);
}

TEST_F(Operations, StepFieldLimitsSingle) {
  add(TYPE_BOX);
  edit_scales[0] = 0.01f;
  step_field(FIELD_SCALE_X, 0, -0.01f, current_record);
  EXPECT_FLOAT_EQ(ObjectTable[6].scales[0], 0.01f);  // 0.0 is below the limit
  edit_scales[1] = 9.95f;
  step_field(FIELD_SCALE_Y, 0, 0.1f, current_record);
  EXPECT_FLOAT_EQ(ObjectTable[6].scales[1], 9.95f);
  step_field(FIELD_SCALE_Y, 0, 0.01f, current_record);
  EXPECT_FLOAT_EQ(ObjectTable[6].scales[1], 9.96f);
  // All three together are refused when any one would leave its range.
  step_field(FIELD_SCALE_ALL, 0, 0.05f, current_record);
  EXPECT_FLOAT_EQ(ObjectTable[6].scales[2], 0.2f);
  step_field(FIELD_SCALE_ALL, 0, 0.01f, current_record);
  EXPECT_FLOAT_EQ(ObjectTable[6].scales[0], 0.02f);
  EXPECT_FLOAT_EQ(ObjectTable[6].scales[2], 0.21f);

  edit_angles[2] = 715;
  step_field(FIELD_ANGLE_Z, 0, 10, current_record);
  EXPECT_EQ(ObjectTable[6].angles[2], 715);
  step_field(FIELD_ANGLE_Z, 0, 5, current_record);
  EXPECT_EQ(ObjectTable[6].angles[2], 720);
  step_field(FIELD_ANGLE_X, 0, -720, current_record);
  EXPECT_EQ(ObjectTable[6].angles[0], -720);
  step_field(FIELD_ANGLE_X, 0, -1, current_record);
  EXPECT_EQ(ObjectTable[6].angles[0], -720);

  // Positions have no limit.
  step_field(FIELD_POS_Y, 0, -1000.0f, current_record);
  EXPECT_FLOAT_EQ(ObjectTable[6].position[1], -1000.0f);
}

TEST_F(Operations, StepFieldCluster) {
  for (int i = 0; i < 3; i++) add(TYPE_BOX);  // 6, 7, 8
  ClusterTable[6] = ClusterTable[8] = 1;
  ObjectTable[8].scales[0] = 0.005f;
  current_record = 6;
  load_edit_buffer();

  // A decrease that would take one member below the lower limit is refused for all.
  step_field(FIELD_SCALE_X, 1, -0.01f, 6);
  EXPECT_FLOAT_EQ(ObjectTable[6].scales[0], 0.2f);
  EXPECT_FLOAT_EQ(ObjectTable[8].scales[0], 0.005f);

  // A cluster has no upper limit; the unmarked object does not move.
  ObjectTable[6].scales[1] = ObjectTable[8].scales[1] = 9.99f;
  load_edit_buffer();
  step_field(FIELD_SCALE_Y, 1, 1.0f, 6);
  EXPECT_FLOAT_EQ(ObjectTable[6].scales[1], 10.99f);
  EXPECT_FLOAT_EQ(ObjectTable[8].scales[1], 10.99f);
  EXPECT_FLOAT_EQ(ObjectTable[7].scales[1], 0.2f);

  step_field(FIELD_ANGLE_Y, 1, -721, 6);  // below -720 for every member
  EXPECT_EQ(ObjectTable[6].angles[1], 0);
  step_field(FIELD_POS_X, 1, 2.5f, 6);
  EXPECT_FLOAT_EQ(ObjectTable[6].position[0], 2.5f);
  EXPECT_FLOAT_EQ(ObjectTable[8].position[0], 2.5f);

  // The current object is not a member: refused with the message.
  current_record = 7;
  load_edit_buffer();
  step_field(FIELD_POS_X, 1, 1.0f, 7);
  EXPECT_EQ(not_in_cluster, 1);
  EXPECT_FLOAT_EQ(ObjectTable[7].position[0], 0.0f);
  EXPECT_FLOAT_EQ(ObjectTable[6].position[0], 2.5f);

  // A light is stepped alone, with the single limits, even in cluster mode.
  not_in_cluster = 0;
  current_record = 3;
  load_edit_buffer();
  step_field(FIELD_SCALE_X, 1, 9.88f, 3);
  EXPECT_NEAR(ObjectTable[3].scales[0], 9.98f, 1e-5);
  step_field(FIELD_SCALE_X, 1, 0.1f, 3);
  EXPECT_NEAR(ObjectTable[3].scales[0], 9.98f, 1e-5);
  EXPECT_EQ(not_in_cluster, 0);
}

TEST_F(Operations, ColorToPick) {
  float out[2] = {0, 0};
  color_to_pick(255, 0, 0, out);
  EXPECT_NEAR(out[0], -1.0f, 1e-5);
  EXPECT_NEAR(out[1], 0.0f, 1e-5);
  EXPECT_FLOAT_EQ(edit_intensity, 1.0f);
  color_to_pick(0, 255, 0, out);
  EXPECT_NEAR(out[0], 0.5f, 1e-5);
  EXPECT_NEAR(out[1], 0.8660254f, 1e-5);
  color_to_pick(0, 0, 255, out);
  EXPECT_NEAR(out[0], 0.5f, 1e-5);
  EXPECT_NEAR(out[1], -0.8660254f, 1e-5);
  color_to_pick(200, 200, 200, out);
  EXPECT_NEAR(out[0], 0.0f, 1e-6);
  EXPECT_NEAR(out[1], 0.0f, 1e-6);
  EXPECT_FLOAT_EQ(edit_intensity, 200.0f / 255.0f);
  // A half-saturated hue lies between the centre and the rim, at the primary's side.
  color_to_pick(255, 128, 128, out);
  EXPECT_LT(out[0], 0.0f);
  EXPECT_GT(out[0], -1.0f);
  // Black: intensity 0 and the mark stays.
  out[0] = 0.25f;
  out[1] = -0.5f;
  color_to_pick(0, 0, 0, out);
  EXPECT_FLOAT_EQ(edit_intensity, 0.0f);
  EXPECT_FLOAT_EQ(out[0], 0.25f);
  EXPECT_FLOAT_EQ(out[1], -0.5f);
}
