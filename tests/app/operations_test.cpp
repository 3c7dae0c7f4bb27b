#include <gtest/gtest.h>

#include "app/scene.h"
#include "app/startup.h"

TEST(StartValues, EmptySceneWithLight4Current) {
  reset_all();
  EXPECT_EQ(last_record, 5);
  EXPECT_EQ(current_record, 5);
  EXPECT_STREQ(ObjectTable[5].name, "light4");
}
