#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/scene.h"
#include "input/input.h"
#include "panels/overlay.h"
#include "render/render.h"
#include "support/gl_env.h"

namespace {

// Left press on the pixel that shows the ground point (x, 0, z) in the last frame.
void click_ground(double x, double z) {
  GLint vp[4];
  GLdouble model[16], proj[16], wx, wy, wz;
  glGetIntegerv(GL_VIEWPORT, vp);
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  glGetDoublev(GL_PROJECTION_MATRIX, proj);
  gluProject(x, 0, z, model, proj, vp, &wx, &wy, &wz);
  mouse_3d(0, 0, static_cast<int>(std::lround(wx)), vp[3] - 1 - static_cast<int>(std::lround(wy)));
}

TEST(GroundPlacement, ClickLandsOnTheSnappedGroundPoint) {
  ensure_windows();
  create_object();
  const ObjectRecord& r = ObjectTable[current_record];
  display_3d();  // the start-up camera
  click_ground(2.01, -1.01);
  EXPECT_EQ(r.position[0], 2.0f);
  EXPECT_EQ(r.position[2], -1.0f);
  EXPECT_EQ(edit_position[2], -1.0f);

  latitude = 5;  // the top of the view is now sky: nothing moves
  display_3d();
  mouse_3d(0, 0, win_width / 2, 30);
  EXPECT_EQ(r.position[0], 2.0f);
  click_ground(12.01, 12.01);
  EXPECT_EQ(r.position[2], 12.0f);
}

// Red channel of the object panel's background after a whole frame.
int panel_pixel() {
  display_3d();
  unsigned char rgb[3];
  glReadPixels(150, win_height - 180, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
  return rgb[0];
}

TEST(OverlayPass, BlendsPanelsAndGivesTheViewBack) {
  ensure_windows();
  panels_shown = 0;
  const int scene = panel_pixel();
  panels_shown = 1;
  EXPECT_NEAR(panel_pixel(), 0.8 * 0.5 * 255 + 0.2 * scene, 2.0);

  GLdouble before[16], after[16];
  glGetDoublev(GL_PROJECTION_MATRIX, before);
  glEnable(GL_BLEND);
  glDisable(GL_LIGHTING);
  draw_panels();
  glGetDoublev(GL_PROJECTION_MATRIX, after);
  for (int k = 0; k < 16; k++) EXPECT_EQ(before[k], after[k]);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST) && glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));

  // Texts from data are drawn literally, and cut after 199 characters.
  glLoadIdentity();
  glOrtho(0, win_width, 0, win_height, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  const std::pair<std::string, int> texts[] = {{"50%d%s", 6}, {std::string(300, 'x'), 199}};
  for (const auto& [text, chars] : texts) {
    panel_text(10, 10, "%s", text.c_str());
    GLfloat end[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, end);
    EXPECT_EQ(end[0], 10 + chars * 8);
  }
}

// Whether the pixel at x, d below the top edge, shows exactly (r, g, b).
bool shows(int x, int d, int r, int g, int b) {
  unsigned char p[3];
  glReadPixels(x, win_height - d, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
  return p[0] == r && p[1] == g && p[2] == b;
}

TEST(OverlayPass, CurrentLightAndBoundCodeRowsAreHighlighted) {
  ensure_windows();
  const int x0 = win_width - 160;
  current_record = 2;       // light1: the row 40..60 below the top
  CodeBindingTable[2] = 3;  // code list row 3: 60..75 below the top
  code_list_shown = 1;
  display_3d();
  code_list_shown = 0;
  EXPECT_TRUE(shows(x0 + 64, 41, 204, 204, 255));
  EXPECT_FALSE(shows(x0 + 64, 61, 204, 204, 255));
  EXPECT_FALSE(shows(x0 + 66, 50, 204, 204, 255));
  EXPECT_TRUE(shows(170, 61, 204, 255, 204));
  EXPECT_FALSE(shows(170, 76, 204, 255, 204));
  EXPECT_FALSE(shows(181, 65, 204, 255, 204));
}

}  // namespace
