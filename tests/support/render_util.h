// For the GL tests of object drawing and the 3D view: a fixture with the
// display window current, object records added to the scene, pixels read back.
#pragma once
#define GL_GLEXT_PROTOTYPES 1  // buffer objects and queries

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "render/render.h"
#include "render/tess_cache.h"
#include "support/gl_env.h"

// Point k of a silhouette, in model units and in pixels (20 a unit).
inline void set_point(ObjectRecord& r, int k, float x, float y) {
  r.sil[k][0] = x, r.sil[k][1] = y, r.silpix[k][0] = 20 * x, r.silpix[k][1] = 20 * y;
}

// A new current object record at scale 1 in a lit red.
inline ObjectRecord& add_record(int type, int knots, int order,
                                std::initializer_list<std::pair<float, float>> pts) {
  ObjectRecord& r = ObjectTable[current_record = ++last_record];
  std::memset(&r, 0, sizeof r);
  r.surfacetype = type, r.knots = knots, r.order = order, r.silend = -1;
  r.scales[0] = r.scales[1] = r.scales[2] = 1;
  r.color[0] = 0.9f, r.color[1] = r.color[2] = 0.1f, r.color[3] = 1, r.shine = 0.5f;
  for (auto& p : pts) set_point(r, ++r.silend, p.first, p.second);
  return r;
}

// RGB of a rectangle of the back buffer, rows from the bottom.
inline std::vector<unsigned char> read_rgb(int x, int y, int w, int h) {
  std::vector<unsigned char> rgb(3 * w * h);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  return rgb;
}

// Whether a pixel shows the clear colour, 0.7 grey.
inline bool background(int x, int y) {
  for (int c : read_rgb(x, y, 1, 1))
    if (std::abs(c - 179) > 2) return false;
  return true;
}

// The start scene, solid and without the panels, in the display window; no GL error left behind.
class RenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ensure_windows();
    reset_all();
    glutSetWindow(display_window);
    width = glutGet(GLUT_WINDOW_WIDTH), height = glutGet(GLUT_WINDOW_HEIGHT);
    reshape_3d(width, height);
    panels_shown = wireframe = 0;
    glGetError();  // none left over from before
  }
  void TearDown() override { EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR); }
  int width = 0, height = 0;
};
