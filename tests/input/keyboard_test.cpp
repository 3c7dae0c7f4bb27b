#include <GL/freeglut.h>

#include "input/ui_fixture.h"
#include "panels/object_panel.h"

static void type(const char* keys) {
  for (const char* k = keys; *k; k++) keyboard_3d(static_cast<unsigned char>(*k), 0, 0);
}
static void special(int key, int times = 1) {
  for (int i = 0; i < times; i++) special_3d(key, 0, 0);
}

using Keys = UiTest<3>;

TEST_F(Keys, NamesDeleteViewListMarksAndInsert) {
  type("\b\b\b\bAb c_-9.abcdefghijklmnop");  // '.' moves the eye
  EXPECT_STREQ(ObjectTable[8].name, "bc_-9abcdefghij");
  EXPECT_EQ(distance, 25);
  cluster_mode = ClusterTable[6] = ClusterTable[8] = 1;  // the current is marked: every member
  type("\bq\x7f");
  EXPECT_STREQ(ObjectTable[6].name, "boq");
  EXPECT_STREQ(ObjectTable[7].name, "box");
  EXPECT_STREQ(ObjectTable[8].name, "bc_-9abcdefghiq");
  ClusterTable[8] = 0;
  type("\x7f");
  EXPECT_EQ(state(confirm_delete, not_in_cluster), state(1, 1));
  current_record = 5, confirm_delete = not_in_cluster = 0;  // a light is never deleted
  type("\x7f");
  EXPECT_EQ(state(confirm_delete, not_in_cluster), state(0, 0));
  longitude = 355;
  const std::tuple<int, int, int*, int> runs[] = {
      {GLUT_KEY_UP, 20, &latitude, 90},       {GLUT_KEY_DOWN, 40, &latitude, -90},
      {GLUT_KEY_RIGHT, 1, &longitude, 360},   {GLUT_KEY_RIGHT, 1, &longitude, 5},
      {GLUT_KEY_LEFT, 2, &longitude, 355},    {GLUT_KEY_PAGE_DOWN, 99, &list_first, 62},
      {GLUT_KEY_PAGE_UP, 99, &list_first, 6}, {GLUT_KEY_F12, 1, &ClusterTable[8], 1},
      {GLUT_KEY_F11, 1, &ClusterTable[8], 0}};
  for (const auto& [key, times, value, expected] : runs) {
    special(key, times);
    EXPECT_EQ(*value, expected) << key;
  }
  // Insert backs the scene up only when it duplicated something.
  current_record = 4;  // a light
  special(GLUT_KEY_INSERT);
  cluster_mode = 1, current_record = 7;  // not a member
  special(GLUT_KEY_INSERT);
  EXPECT_EQ(state(last_record, written("backup.ses")), state(8, false));
  cluster_mode = 0;
  special(GLUT_KEY_INSERT);
  EXPECT_EQ(state(current_record, written("backup.ses")), state(9, true));
  while (last_record < LAST_INDEX) create_object();
  special(GLUT_KEY_INSERT);
  EXPECT_EQ(state(too_many_objects, written("backup.ses")), state(1, false));
}

TEST_F(Keys, FunctionKeysStepEveryFieldKind) {
  const ObjectRecord& r = ObjectTable[8];
  panel_field = FIELD_SCALE_Y;
  special(GLUT_KEY_F1), special(GLUT_KEY_F4);
  panel_field = FIELD_POS_X;
  special(GLUT_KEY_F2), special(GLUT_KEY_F3);
  EXPECT_EQ(state(r.scales[1], r.position[0]), state(0.29, -0.9));
  // Angles have limits of their own, and change the current record only.
  panel_field = FIELD_ANGLE_Z, cluster_mode = ClusterTable[7] = ClusterTable[8] = 1;
  const int steps[][3] = {{705, GLUT_KEY_F1, 715},   {710, GLUT_KEY_F1, 710},
                          {718, GLUT_KEY_F3, 719},   {719, GLUT_KEY_F3, 719},
                          {-710, GLUT_KEY_F2, -720}, {-711, GLUT_KEY_F2, -711},
                          {-719, GLUT_KEY_F4, -720}, {-720, GLUT_KEY_F4, -720}};
  for (const auto& [from, key, to] : steps) {
    edit_angles[2] = from;
    special(key);
    EXPECT_EQ(r.angles[2], to) << from;
  }
  EXPECT_EQ(ObjectTable[7].angles[2], 0);
  panel_field = FIELD_COLOR;  // object mode only; the intensity and the mark follow
  color_channel = 1;
  special(GLUT_KEY_F2);
  cluster_mode = 0;
  special(GLUT_KEY_F3, 60);
  EXPECT_EQ(state(edit_color[1], r.intensity, r.pick[1] > 0), state(255, 1, true));
}
