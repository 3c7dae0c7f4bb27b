// Pasting a silhouette copied from another record.
#include <gtest/gtest.h>

#include "app/scene.h"
#include "support/resets.h"

TEST(PasteSilhouette, FromALightKeepsTheObjectsOrder) {
  reset_app_layer();
  new_type = TYPE_REVOLUTION;
  create_object();
  ObjectTable[6].order = 4;
  copy_to_copy_buffer(2);  // light1: order 0, no points
  copy_valid = 1;
  paste_silhouette(6);
  EXPECT_EQ(ObjectTable[6].order, 4);
  EXPECT_EQ(ObjectTable[6].silend, -1);
}

TEST(PasteSilhouette, FromAnObjectTakesItsOrderAndKnots) {
  reset_app_layer();
  new_type = TYPE_EXTRUSION;
  create_object();
  create_object();
  ObjectTable[6].order = 4, ObjectTable[6].knots = 1, ObjectTable[6].silend = 0;
  ObjectTable[6].silpix[0][0] = 20, ObjectTable[6].sil[0][0] = 1;
  copy_to_copy_buffer(6);
  copy_valid = 1;
  paste_silhouette(7);
  EXPECT_EQ(ObjectTable[7].order, 4);
  EXPECT_EQ(ObjectTable[7].knots, 1);
  EXPECT_EQ(ObjectTable[7].silend, 0);
  EXPECT_EQ(ObjectTable[7].sil[0][0], 1.0f);
}
