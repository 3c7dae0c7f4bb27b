#include <GL/freeglut.h>

#include "input/ui_fixture.h"
#include "panels/object_panel.h"

static void type(const char* keys) {
  for (const char* k = keys; *k; k++) keyboard_3d(static_cast<unsigned char>(*k), 0, 0);
}

static void special(int key, int times = 1) {
  for (int i = 0; i < times; i++) special_3d(key, 0, 0);
}

using Keys = UiTestWith<3>;

TEST_F(Keys, NamesDistanceAndDelete) {
  type("\b\b\b\bAb c_-9.abcdefghijklmnop");  // '.' moves the eye
  EXPECT_STREQ(ObjectTable[8].name, "bc_-9abcdefghij");
  EXPECT_EQ(distance, 25);
  cluster_mode = ClusterTable[6] = ClusterTable[8] = 1;  // the current is marked: every member
  type("\bq");
  EXPECT_STREQ(ObjectTable[6].name, "boq");
  EXPECT_STREQ(ObjectTable[7].name, "box");
  EXPECT_STREQ(ObjectTable[8].name, "bc_-9abcdefghiq");

  type("\x7f");
  ClusterTable[8] = 0;
  type("\x7f");
  EXPECT_EQ(state(confirm_delete, not_in_cluster), state(1, 1));
  current_record = 5;  // a light is never deleted
  confirm_delete = 0;
  type("\x7f");
  EXPECT_EQ(confirm_delete, 0);
}

TEST_F(Keys, ViewListMarksAndInsert) {
  longitude = 355;
  const struct {
    int key, times, *value, expected;
  } runs[] = {{GLUT_KEY_UP, 20, &latitude, 90},       {GLUT_KEY_DOWN, 40, &latitude, -90},
              {GLUT_KEY_RIGHT, 1, &longitude, 360},   {GLUT_KEY_RIGHT, 1, &longitude, 5},
              {GLUT_KEY_LEFT, 2, &longitude, 355},    {GLUT_KEY_PAGE_DOWN, 99, &list_first, 62},
              {GLUT_KEY_PAGE_UP, 99, &list_first, 6}, {GLUT_KEY_F12, 1, &ClusterTable[8], 1},
              {GLUT_KEY_F11, 1, &ClusterTable[8], 0}};
  for (const auto& r : runs) {
    special(r.key, r.times);
    EXPECT_EQ(*r.value, r.expected) << r.key;
  }

  // Insert backs the scene up only when it duplicated something.
  current_record = 4;
  special(GLUT_KEY_INSERT);
  cluster_mode = 1;
  current_record = 7;
  special(GLUT_KEY_INSERT);  // not a member
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

TEST_F(Keys, FunctionKeysStepEveryFieldKind) {
  const int presses[][3] = {{FIELD_SCALE_Y, GLUT_KEY_F1, GLUT_KEY_F4},
                            {FIELD_POS_X, GLUT_KEY_F2, GLUT_KEY_F3}};
  for (const auto& p : presses) panel_field = p[0], special(p[1]), special(p[2]);
  EXPECT_NEAR(ObjectTable[8].scales[1], 0.29f, 1e-6);
  EXPECT_NEAR(ObjectTable[8].position[0], -0.9f, 1e-6);

  panel_field = FIELD_ANGLE_Z;  // own limits, and the current record only
  cluster_mode = ClusterTable[7] = ClusterTable[8] = 1;
  const int steps[][3] = {{705, GLUT_KEY_F1, 715},   {710, GLUT_KEY_F1, 710},
                          {718, GLUT_KEY_F3, 719},   {719, GLUT_KEY_F3, 719},
                          {-710, GLUT_KEY_F2, -720}, {-711, GLUT_KEY_F2, -711},
                          {-719, GLUT_KEY_F4, -720}, {-720, GLUT_KEY_F4, -720}};
  for (const auto& s : steps) {
    edit_angles[2] = s[0];
    special(s[1]);
    EXPECT_EQ(ObjectTable[8].angles[2], s[2]) << s[0];
  }
  EXPECT_EQ(ObjectTable[7].angles[2], 0);

  panel_field = FIELD_COLOR;  // object mode only; "all" only if each byte allows it
  color_channel = 3;
  special(GLUT_KEY_F1);
  cluster_mode = 0;
  special(GLUT_KEY_F1);
  edit_color[1] = 250;
  special(GLUT_KEY_F1);
  EXPECT_EQ(ObjectTable[8].color[0], 210 / 255.0f);
  color_channel = 1;
  special(GLUT_KEY_F3, 9);
  EXPECT_EQ(edit_color[1], 255);
  EXPECT_FLOAT_EQ(ObjectTable[8].intensity, 1.0f);  // intensity and mark follow
  EXPECT_GT(ObjectTable[8].pick[1], 0.0f);
}
