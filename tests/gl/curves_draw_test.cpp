#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "app/scene.h"
#include "curves/curves.h"
#include "support/gl_env.h"

// Pixels of a fresh "curves" frame in the curve's colour (0.9, 0.2, 0.2).
static int curve_pixels() {
  glutSetWindow(curves_window);
  draw_curves_frame();
  glFinish();
  std::vector<unsigned char> px(static_cast<size_t>(curves_width) * curves_height * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, curves_width, curves_height, GL_RGB, GL_UNSIGNED_BYTE, px.data());
  int n = 0;
  for (size_t i = 0; i + 2 < px.size(); i += 3)
    n += std::abs(px[i] - 230) <= 4 && std::abs(px[i + 1] - 51) <= 4 &&
         std::abs(px[i + 2] - 51) <= 4;
  return n;
}

TEST(CurvesDraw, CurveAppearsFromTheFourthPoint) {
  ensure_windows();
  new_type = TYPE_REVOLUTION;
  create_object();
  const int clicks[4][2] = {{60, 60}, {140, 200}, {220, 60}, {240, 180}};
  for (int k = 0; k < 4; k++) {
    EXPECT_EQ(curve_pixels(), 0) << k << " points";
    curves_mouse(0, 0, clicks[k][0], curves_height - clicks[k][1]);
  }
  EXPECT_GT(curve_pixels(), 20);
}
