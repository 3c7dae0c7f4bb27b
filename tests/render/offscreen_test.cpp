// The off-screen context: sizes it takes, and pictures read back with their
// first row at the top.
#include "render/offscreen.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

TEST(Offscreen, SizesAndRowsFromTheTop) {
  OffscreenContext gl;
  std::string why;
  std::vector<unsigned char> rgb;
  EXPECT_FALSE(gl.read_rgb(rgb, why)) << "nothing was opened";
  for (int side : {0, MAX_OFFSCREEN_SIDE + 1}) {
    EXPECT_FALSE(gl.open(side, 3, why)) << side;
    EXPECT_FALSE(gl.open(3, side, why)) << side;
  }
  ASSERT_TRUE(gl.open(5, 4, why)) << why;
  glClearColor(0, 0, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, 3, 2, 1);  // the top row's first two pixels, GL counting from the bottom
  glClearColor(1, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  ASSERT_TRUE(gl.read_rgb(rgb, why)) << why;
  ASSERT_EQ(rgb.size(), 5u * 4 * 3);
  for (int k : {0, 3}) {
    EXPECT_EQ(rgb[k], 255) << "red at the top left, byte " << k;
    EXPECT_EQ(rgb[k + 2], 0) << "byte " << k + 2;
  }
  EXPECT_EQ(rgb[6], 0) << "the third pixel of the top row";
  EXPECT_EQ(rgb[3 * 5 * 3 + 2], 255) << "blue at the bottom left";
  glEnable(0x1234);  // not a capability
  EXPECT_FALSE(gl.read_rgb(rgb, why)) << "an error while drawing";
  EXPECT_NE(why.find("0x0500"), std::string::npos) << why;
  gl.close();
  EXPECT_FALSE(gl.read_rgb(rgb, why)) << "closed";
  EXPECT_TRUE(gl.open(2, 2, why)) << "opened again: " << why;
}
