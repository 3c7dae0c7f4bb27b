// The 3D view through its real callbacks: camera, projection, and pixels
// read back from finished frames.
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "render/render.h"
#include "support/gl_env.h"

namespace {

struct Pixel {
  int x, y;     // window position, y up
  int r, g, b;  // colour there in the last frame
};

class View : public ::testing::Test {
 protected:
  void SetUp() override {
    ensure_windows();
    reset_all();
    glutSetWindow(display_window);
    width = glutGet(GLUT_WINDOW_WIDTH);
    height = glutGet(GLUT_WINDOW_HEIGHT);
    reshape_3d(width, height);
    panels_shown = 0;  // the scene alone; the panels are another layer
    wireframe = 0;
  }

  static Pixel at(int x, int y) {
    unsigned char rgb[3] = {0, 0, 0};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return {x, y, rgb[0], rgb[1], rgb[2]};
  }

  // The pixel showing a world point, under the camera display_3d left behind.
  static Pixel seen(double x, double y, double z) {
    GLdouble mv[16], pr[16], sx, sy, sz;
    GLint vp[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    glGetDoublev(GL_PROJECTION_MATRIX, pr);
    glGetIntegerv(GL_VIEWPORT, vp);
    gluProject(x, y, z, mv, pr, vp, &sx, &sy, &sz);
    EXPECT_TRUE(sx > 0 && sx < vp[2] && sy > 0 && sy < vp[3] && sz < 1)
        << x << " " << y << " " << z;
    return at((int)sx, (int)sy);
  }

  // The clear colour, 0.7 grey.
  static bool background(Pixel p) {
    return std::abs(p.r - 179) <= 2 && std::abs(p.g - 179) <= 2 && std::abs(p.b - 179) <= 2;
  }

  static ObjectRecord& add_object(int type, std::initializer_list<std::pair<float, float>> pts) {
    ObjectRecord& r = ObjectTable[++last_record];
    std::memset(&r, 0, sizeof r);
    r.surfacetype = type;
    r.scales[0] = r.scales[1] = r.scales[2] = 1.0f;
    r.color[0] = 0.9f;
    r.color[1] = r.color[2] = 0.1f;
    r.color[3] = 1.0f;
    r.shine = 0.5f;
    r.order = 3;
    r.silend = -1;
    for (auto& p : pts) {
      r.sil[++r.silend][0] = p.first;
      r.sil[r.silend][1] = p.second;
    }
    current_record = last_record;
    return r;
  }

  int width = 0, height = 0;
};

TEST_F(View, CameraAndProjection) {
  display_3d();
  EXPECT_NEAR(eye[0], 12.0, 0.01);
  EXPECT_NEAR(eye[1], 16.97, 0.01);
  EXPECT_NEAR(eye[2], 12.0, 0.01);
  latitude = 90;  // stays just short of the pole, with a usable up vector
  display_3d();
  EXPECT_GT(eye[1], 23.99);
  EXPECT_GT(std::hypot(eye[0], eye[2]), 0.0);

  GLfloat p[16], q[16];
  reshape_3d(800, 400);
  EXPECT_EQ(win_width, 800);
  glGetFloatv(GL_PROJECTION_MATRIX, p);
  EXPECT_NEAR(p[5] / p[0], 2.0, 1e-4);                 // aspect 2
  EXPECT_NEAR(p[5], 1.0 / std::tan(M_PI / 12), 1e-4);  // still 30 degrees vertically
  reshape_3d(800, 0);                                  // minimised: the projection stays
  glGetFloatv(GL_PROJECTION_MATRIX, q);
  for (int k = 0; k < 16; k++) EXPECT_EQ(q[k], p[k]);
  EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
  reshape_3d(width, height);
}

TEST_F(View, BackgroundSphereHighlightAndClusterView) {
  show_grid = show_world_axes = 0;
  ObjectRecord& sphere = add_object(TYPE_SPHERE, {});
  sphere.scales[0] = sphere.scales[1] = sphere.scales[2] = 0.2f;
  display_3d();
  EXPECT_TRUE(background(at(10, 10)));
  EXPECT_TRUE(background(at(width / 2, height - 10)));
  Pixel c = at(width / 2, height / 2);
  EXPECT_GT(c.r, c.g + 40);  // the sphere's red material covers the centre

  highlight_current = 1;  // drawn in the inverted colour
  display_3d();
  c = at(width / 2, height / 2);
  EXPECT_GT(c.g, c.r + 40);

  highlight_current = 0;  // a cluster view without members shows no object
  view_cluster = 1;
  display_3d();
  EXPECT_TRUE(background(at(width / 2, height / 2)));
}

TEST_F(View, GridAndSolidLightMarkers) {
  display_3d();  // the start view: grid and floor axes fill the lower half
  int covered = 0;
  for (int y = 0; y < height / 2; y += 7)
    for (int x = 0; x < width; x += 7) covered += !background(at(x, y));
  EXPECT_GT(covered, 50);

  // Light3 is off but its marker still shows, solid while objects are wireframe.
  show_grid = show_world_axes = 0;
  show_lights = 1;
  wireframe = 1;
  ObjectTable[4].position[0] = ObjectTable[4].position[1] = 3;
  ObjectTable[4].position[2] = -3;
  display_3d();
  EXPECT_EQ(wireframe, 1);
  Pixel m = seen(3, 3, -3);
  for (int dx = -8; dx <= 8; dx += 4)
    for (int dy = -8; dy <= 8; dy += 4) EXPECT_FALSE(background(at(m.x + dx, m.y + dy)));
}

TEST_F(View, CapCoversTheLShapeNotItsBox) {
  show_grid = show_world_axes = 0;
  latitude = longitude = 0;
  // An L, counter-clockwise and closed; the empty quarter of its box is x, y in 0..2.
  ObjectRecord& rec =
      add_object(TYPE_FFACE, {{-2, -2}, {2, -2}, {2, 0}, {0, 0}, {0, 2}, {-2, 2}, {-2, -2}});
  auto check = [&](float z) {
    display_3d();
    EXPECT_FALSE(background(seen(-1, -1, z)));
    EXPECT_FALSE(background(seen(1.4, -1, z)));
    EXPECT_FALSE(background(seen(-1, 1.4, z)));
    EXPECT_TRUE(background(seen(1.5, 1.5, z)));
  };
  check(5);
  // Drawn clockwise (mirrored, and mirrored back by the scale): the same cap.
  for (int j = 0; j <= rec.silend; j++) rec.sil[j][0] = -rec.sil[j][0];
  rec.scales[0] = -1;
  check(5);
  // The back face seen from behind.
  rec.surfacetype = TYPE_BFACE;
  longitude = 180;
  check(-5);
}

}  // namespace
