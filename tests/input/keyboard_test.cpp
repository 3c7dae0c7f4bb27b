// Keys of the "display" window through its keyboard and special-key callbacks.
#include <GL/freeglut.h>

#include "input/input.h"
#include "panels/object_panel.h"
#include "support/ui_scene.h"

static void type(const char* keys) {
  for (const char* k = keys; *k; k++) keyboard_3d(static_cast<unsigned char>(*k), 0, 0);
}
static void special(int key, int times = 1) {
  for (int i = 0; i < times; i++) special_3d(key, 0, 0);
}

using Keys = UiScene<3>;  // records 6, 7 and 8 "box", the last one current

TEST_F(Keys, TypedCharactersRenameTheCurrentRecordUpToFifteen) {
  type("\b\b\b\bAb c_-9.abcdefghijklmnop");  // capitals and blanks are ignored
  EXPECT_STREQ(ObjectTable[8].name, "bc_-9abcdefghij");
  EXPECT_EQ(distance, 25) << "'.' moves the eye away";
}

TEST_F(Keys, InClusterModeTypingRenamesEveryMemberWhenTheCurrentIsOne) {
  cluster_mode = ClusterTable[6] = ClusterTable[8] = 1;
  type("\bq");
  EXPECT_STREQ(ObjectTable[6].name, "boq");
  EXPECT_STREQ(ObjectTable[7].name, "box");
  EXPECT_STREQ(ObjectTable[8].name, "boq");
  cluster_mode = 0;  // out of cluster mode the marks do not count
  type("z");
  EXPECT_STREQ(ObjectTable[6].name, "boq");
  EXPECT_STREQ(ObjectTable[8].name, "boqz");
}

TEST_F(Keys, DeleteAsksForAnObjectOrSaysItIsNoMemberButNeverForALight) {
  type("\x7f");
  EXPECT_EQ(confirm_delete, 1);
  confirm_delete = 0, cluster_mode = 1;
  type("\x7f");
  EXPECT_EQ(not_in_cluster, 1);
  EXPECT_EQ(confirm_delete, 0);
  current_record = LAST_LIGHT, cluster_mode = not_in_cluster = 0;
  type("\x7f");
  EXPECT_EQ(confirm_delete, 0);
}

TEST_F(Keys, ViewKeysAndListScrollingStopAtTheirLimits) {
  longitude = 355;
  const std::tuple<int, int, int*, int> runs[] = {
      {GLUT_KEY_UP, 20, &latitude, 90},       {GLUT_KEY_DOWN, 40, &latitude, -90},
      {GLUT_KEY_RIGHT, 1, &longitude, 360},   {GLUT_KEY_RIGHT, 1, &longitude, 5},
      {GLUT_KEY_LEFT, 2, &longitude, 355},    {GLUT_KEY_PAGE_DOWN, 99, &list_first, 62},
      {GLUT_KEY_PAGE_UP, 99, &list_first, 6}, {GLUT_KEY_F12, 1, &ClusterTable[8], 1},
      {GLUT_KEY_F11, 1, &ClusterTable[8], 0}};
  for (const auto& [key, times, value, expected] : runs) {
    special(key, times);
    EXPECT_EQ(*value, expected) << "key " << key;
  }
}

TEST_F(Keys, InsertDuplicatesAndBacksUpOnlyWhatItDuplicated) {
  current_record = 4;  // a light
  special(GLUT_KEY_INSERT);
  cluster_mode = 1, current_record = 7;  // not a member
  special(GLUT_KEY_INSERT);
  EXPECT_EQ(last_record, 8);
  EXPECT_FALSE(written("backup.ses"));
  cluster_mode = 0;
  special(GLUT_KEY_INSERT);
  EXPECT_EQ(current_record, 9);
  EXPECT_TRUE(written("backup.ses"));
  while (last_record < LAST_INDEX) create_object();
  special(GLUT_KEY_INSERT);
  EXPECT_EQ(too_many_objects, 1);
  EXPECT_FALSE(written("backup.ses"));
}

TEST_F(Keys, FunctionKeysStepTheSelectedScaleAndPosition) {
  panel_field = FIELD_SCALE_Y;
  special(GLUT_KEY_F1), special(GLUT_KEY_F4);
  EXPECT_FLOAT_EQ(ObjectTable[8].scales[1], 0.29f);
  panel_field = FIELD_POS_Z;
  special(GLUT_KEY_F2), special(GLUT_KEY_F3);
  EXPECT_FLOAT_EQ(ObjectTable[8].position[2], -0.9f);
}

TEST_F(Keys, FunctionKeysStepAnglesWithinTheirOwnLimitsForTheCurrentOnly) {
  panel_field = FIELD_ANGLE_Z, cluster_mode = ClusterTable[7] = ClusterTable[8] = 1;
  const int steps[][3] = {{705, GLUT_KEY_F1, 715},   {710, GLUT_KEY_F1, 710},
                          {718, GLUT_KEY_F3, 719},   {719, GLUT_KEY_F3, 719},
                          {-710, GLUT_KEY_F2, -720}, {-711, GLUT_KEY_F2, -711},
                          {-719, GLUT_KEY_F4, -720}, {-720, GLUT_KEY_F4, -720}};
  for (const auto& [from, key, to] : steps) {
    edit_angles[2] = from;
    special(key);
    EXPECT_EQ(ObjectTable[8].angles[2], to) << from << " key " << key;
  }
  EXPECT_EQ(ObjectTable[7].angles[2], 0);
}

TEST_F(Keys, FunctionKeysStepTheColourInObjectModeOnly) {
  const ObjectRecord& r = ObjectTable[8];
  panel_field = FIELD_COLOR, color_channel = 1, cluster_mode = 1;
  special(GLUT_KEY_F2);
  EXPECT_EQ(edit_color[1], 200);
  cluster_mode = 0;
  special(GLUT_KEY_F3, 60);  // the intensity and the mark follow
  EXPECT_EQ(edit_color[1], 255);
  EXPECT_FLOAT_EQ(r.intensity, 1.0f);
  EXPECT_GT(r.pick[1], 0);
}
