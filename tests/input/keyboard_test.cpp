#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstring>

#include "app/scene.h"
#include "app/startup.h"
#include "browser/browser.h"
#include "input/input.h"
#include "input/scratch_dir.h"
#include "panels/object_panel.h"

namespace {

void type(const char* keys) {
  for (const char* k = keys; *k; k++) keyboard_3d(static_cast<unsigned char>(*k), 0, 0);
}

void special(int key, int times = 1) {
  for (int i = 0; i < times; i++) special_3d(key, 0, 0);
}

class Keys : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_all();
    for (int i = 0; i < 3; i++) create_object();  // records 6, 7, 8; 8 current
  }
  ScratchDir dir;
};

TEST_F(Keys, NamesAcceptOnlyTheirCharactersUpToFifteen) {
  type("\b\b\b\b\b\b");  // "box" emptied; more Backspace does nothing
  EXPECT_STREQ(ObjectTable[8].name, "");
  type("Ab c_-9.");  // capitals, blanks and '.' are not taken ('.' is the distance)
  EXPECT_STREQ(ObjectTable[8].name, "bc_-9");
  type("abcdefghijklmnop");
  EXPECT_STREQ(ObjectTable[8].name, "bc_-9abcdefghij");
  type("\b");
  EXPECT_STREQ(ObjectTable[8].name, "bc_-9abcdefghi");

  current_record = 2;  // a light can be renamed
  type("\bz");
  EXPECT_STREQ(ObjectTable[2].name, "lightz");

  // Cluster mode: every marked object's name, if the current one is marked.
  current_record = 6;
  cluster_mode = 1;
  ClusterTable[6] = ClusterTable[8] = 1;
  type("q");
  EXPECT_STREQ(ObjectTable[6].name, "boxq");
  EXPECT_STREQ(ObjectTable[7].name, "box");
  EXPECT_STREQ(ObjectTable[8].name, "bc_-9abcdefghiq");
  type("r");
  EXPECT_STREQ(ObjectTable[6].name, "boxqr");
  EXPECT_STREQ(ObjectTable[8].name, "bc_-9abcdefghiq");
  ClusterTable[6] = 0;
  type("\b");
  EXPECT_STREQ(ObjectTable[6].name, "boxq");
  EXPECT_STREQ(ObjectTable[8].name, "bc_-9abcdefghiq");
}

TEST_F(Keys, DistanceDeleteAndTheBrowser) {
  type("..");
  EXPECT_EQ(distance, 26);
  distance = 1;
  type("///");
  EXPECT_EQ(distance, 0);

  browser_open = 1;
  type(".");
  EXPECT_EQ(distance, 0);
  browser_open = 0;

  current_record = 5;
  keyboard_3d(127, 0, 0);
  EXPECT_EQ(confirm_delete, 0);
  current_record = 7;
  keyboard_3d(127, 0, 0);
  EXPECT_EQ(confirm_delete, 1);
  confirm_delete = 0;
  cluster_mode = 1;
  keyboard_3d(127, 0, 0);
  EXPECT_EQ(not_in_cluster, 1);
  EXPECT_EQ(confirm_delete, 0);
}

TEST_F(Keys, ViewAndListLimits) {
  special(GLUT_KEY_UP, 20);
  EXPECT_EQ(latitude, 90);
  special(GLUT_KEY_DOWN, 40);
  EXPECT_EQ(latitude, -90);
  longitude = 355;
  special(GLUT_KEY_RIGHT);
  EXPECT_EQ(longitude, 360);
  special(GLUT_KEY_RIGHT);
  EXPECT_EQ(longitude, 5);
  special(GLUT_KEY_LEFT, 2);
  EXPECT_EQ(longitude, 355);

  special(GLUT_KEY_PAGE_DOWN, 100);
  EXPECT_EQ(list_first, 62);
  special(GLUT_KEY_PAGE_UP, 100);
  EXPECT_EQ(list_first, 6);

  special(GLUT_KEY_F12);
  EXPECT_EQ(ClusterTable[5] + ClusterTable[6] + ClusterTable[8] + ClusterTable[9], 2);
  special(GLUT_KEY_F11);
  EXPECT_EQ(ClusterTable[6] + ClusterTable[8], 0);
}

TEST_F(Keys, FunctionKeysStepTheSelectedValue) {
  panel_field = FIELD_SCALE_Y;
  special(GLUT_KEY_F1);
  special(GLUT_KEY_F4);
  EXPECT_NEAR(ObjectTable[8].scales[1], 0.29f, 1e-6);

  panel_field = FIELD_POS_X;
  special(GLUT_KEY_F2);
  special(GLUT_KEY_F3);
  EXPECT_NEAR(ObjectTable[8].position[0], -0.9f, 1e-6);

  // Angles: the key's own limits, and never the cluster.
  panel_field = FIELD_ANGLE_Z;
  const struct {
    int start, key, end;
  } angle_steps[] = {{705, GLUT_KEY_F1, 715}, {710, GLUT_KEY_F1, 710}, {718, GLUT_KEY_F3, 719},
                     {719, GLUT_KEY_F3, 719}, {-710, GLUT_KEY_F2, -720}, {-711, GLUT_KEY_F2, -711},
                     {-719, GLUT_KEY_F4, -720}, {-720, GLUT_KEY_F4, -720}};
  for (const auto& s : angle_steps) {
    edit_angles[2] = s.start;
    special(s.key);
    EXPECT_EQ(ObjectTable[8].angles[2], s.end) << s.start;
  }
  cluster_mode = 1;
  ClusterTable[7] = ClusterTable[8] = 1;
  edit_angles[2] = 0;
  special(GLUT_KEY_F3);
  EXPECT_EQ(ObjectTable[8].angles[2], 1);
  EXPECT_EQ(ObjectTable[7].angles[2], 0);

  // Colour: object mode only; "all" only when every byte allows the step.
  panel_field = FIELD_COLOR;
  color_channel = 3;
  special(GLUT_KEY_F1);
  EXPECT_EQ(edit_color[0], 200);
  cluster_mode = 0;
  special(GLUT_KEY_F1);
  EXPECT_EQ(ObjectTable[8].color[2], 210.0f / 255.0f);
  edit_color[1] = 250;
  special(GLUT_KEY_F1);
  EXPECT_EQ(edit_color[0], 210);
  color_channel = 1;
  special(GLUT_KEY_F3, 10);
  EXPECT_EQ(edit_color[1], 255);
  EXPECT_FLOAT_EQ(ObjectTable[8].intensity, 1.0f);
  EXPECT_NE(ObjectTable[8].pick[0], 0.0f);  // the mark left the centre

  // Keys without a rule still store the edit buffer.
  edit_scales[0] = 0.7f;
  special(GLUT_KEY_F7);
  EXPECT_FLOAT_EQ(ObjectTable[8].scales[0], 0.7f);
}

TEST_F(Keys, InsertDuplicatesAndBacksUp) {
  current_record = 4;
  special(GLUT_KEY_INSERT);
  EXPECT_EQ(last_record, 8);
  EXPECT_FALSE(ScratchDir::exists("backup.ses"));

  current_record = 7;
  special(GLUT_KEY_INSERT);
  EXPECT_EQ(last_record, 9);
  EXPECT_EQ(current_record, 9);
  EXPECT_TRUE(ScratchDir::exists("backup.ses"));
  unlink("backup.ses");

  cluster_mode = 1;  // the current record is not marked
  special(GLUT_KEY_INSERT);
  EXPECT_EQ(not_in_cluster, 1);
  EXPECT_EQ(last_record, 9);
  cluster_mode = 0;

  while (last_record < LAST_INDEX) create_object();
  special(GLUT_KEY_INSERT);
  EXPECT_EQ(too_many_objects, 1);
  EXPECT_FALSE(ScratchDir::exists("backup.ses"));
}

}  // namespace
