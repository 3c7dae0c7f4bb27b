// The lights panel and the code list drawn into the real "display" window:
// the current light's and the bound entry's rows are highlighted.
#include <gtest/gtest.h>

#include "app/scene.h"
#include "panels/code_list.h"
#include "panels/lights_panel.h"
#include "support/gl_env.h"

namespace {

bool lit(int x, int d, int r, int g, int b) {
  unsigned char p[3];
  glReadPixels(x, win_height - d, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
  return p[0] == r && p[1] == g && p[2] == b;
}

// A panel drawn from origin (x0, y0) over a white frame, as the overlay pass does.
void draw(void (*panel)(), float x0, float y0) {
  glClearColor(1, 1, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, win_width, 0, win_height, -100, 100);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glTranslatef(x0, y0, 0);
  panel();
}

TEST(LightsGl, CurrentLightAndBoundCodeRowsAreHighlighted) {
  ensure_windows();
  reset_all();
  win_width = glutGet(GLUT_WINDOW_WIDTH);
  win_height = glutGet(GLUT_WINDOW_HEIGHT);
  glViewport(0, 0, win_width, win_height);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  const int x0 = win_width - 160;
  lights_click(0, 0, 30, 45);  // light2: the row 40..60 below the top
  draw(draw_lights_panel, x0, 0);
  EXPECT_TRUE(lit(x0 + 64, 41, 204, 204, 255));
  EXPECT_FALSE(lit(x0 + 64, 61, 204, 204, 255));
  EXPECT_FALSE(lit(x0 + 66, 50, 204, 204, 255));
  CodeBindingTable[current_record] = 3;  // row 3: 60..75 below the top
  draw(draw_code_list, 0, win_height);
  EXPECT_TRUE(lit(170, 61, 204, 255, 204));
  EXPECT_FALSE(lit(170, 76, 204, 255, 204));
  EXPECT_FALSE(lit(181, 65, 204, 255, 204));
}

}  // namespace
