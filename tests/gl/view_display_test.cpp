// The 3D view through its real callbacks: camera, projection, and pixels
// read back from finished frames.
#include <gtest/gtest.h>

#include <GL/glu.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "render/render.h"
#include "support/gl_env.h"

namespace {

struct Pixel {
  int r, g, b;
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
    // The scene alone: the panels are another layer.
    panels_shown = 0;
    wireframe = 0;
  }

  // Draws one frame and reads the pixel at window coordinates (y up).
  Pixel pixel(int x, int y) {
    unsigned char rgb[3] = {0, 0, 0};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return {rgb[0], rgb[1], rgb[2]};
  }

  // Window position of a model point of an object placed at the origin
  // unrotated and unscaled: the camera alone, as display_3d leaves it.
  void project(double x, double y, double z, int* wx, int* wy) {
    GLdouble mv[16], pr[16], sx, sy, sz;
    GLint vp[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    glGetDoublev(GL_PROJECTION_MATRIX, pr);
    glGetIntegerv(GL_VIEWPORT, vp);
    gluProject(x, y, z, mv, pr, vp, &sx, &sy, &sz);
    *wx = (int)sx;
    *wy = (int)sy;
  }

  static bool is_background(Pixel p) {
    // Clear colour 0.7 grey.
    return std::abs(p.r - 179) <= 2 && std::abs(p.g - 179) <= 2 && std::abs(p.b - 179) <= 2;
  }

  static void add_object(int type, std::initializer_list<std::pair<float, float>> pts = {}) {
    last_record++;
    ObjectRecord& r = ObjectTable[last_record];
    std::memset(&r, 0, sizeof r);
    r.surfacetype = type;
    r.scales[0] = r.scales[1] = r.scales[2] = 1.0f;
    r.color[0] = 0.9f;
    r.color[1] = 0.1f;
    r.color[2] = 0.1f;
    r.color[3] = 1.0f;
    r.shine = 0.5f;
    r.order = 3;
    r.silend = -1;
    for (auto& p : pts) {
      r.silend++;
      r.sil[r.silend][0] = p.first;
      r.sil[r.silend][1] = p.second;
    }
    current_record = last_record;
  }

  int width = 0, height = 0;
};

TEST_F(View, EyeFollowsTheStartCamera) {
  display_3d();
  EXPECT_NEAR(eye[0], 12.0, 0.01);
  EXPECT_NEAR(eye[1], 16.97, 0.01);
  EXPECT_NEAR(eye[2], 12.0, 0.01);
  // Straight up stays just short of the pole and still gives a usable view.
  latitude = 90;
  display_3d();
  EXPECT_GT(eye[1], 23.99);
  EXPECT_GT(std::hypot(eye[0], eye[2]), 0.0);
  EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

TEST_F(View, ReshapeSetsPerspectiveAndIgnoresZeroHeight) {
  GLfloat p[16];
  reshape_3d(800, 400);
  EXPECT_EQ(win_width, 800);
  EXPECT_EQ(win_height, 400);
  glGetFloatv(GL_PROJECTION_MATRIX, p);
  EXPECT_NEAR(p[5] / p[0], 2.0, 1e-4);          // aspect 2: wider, same vertical view
  EXPECT_NEAR(p[5], 1.0 / std::tan(M_PI / 12), 1e-4);  // 30 degrees vertically

  reshape_3d(800, 0);
  GLfloat q[16];
  glGetFloatv(GL_PROJECTION_MATRIX, q);
  for (int k = 0; k < 16; k++) EXPECT_EQ(q[k], p[k]);
  EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
  reshape_3d(width, height);
}

TEST_F(View, BackgroundSphereAndClusterView) {
  show_grid = 0;
  show_world_axes = 0;
  add_object(TYPE_SPHERE);
  ObjectTable[last_record].scales[0] = ObjectTable[last_record].scales[1] =
      ObjectTable[last_record].scales[2] = 0.2f;

  display_3d();
  EXPECT_TRUE(is_background(pixel(10, 10)));
  EXPECT_TRUE(is_background(pixel(width / 2, height - 10)));
  Pixel c = pixel(width / 2, height / 2);
  EXPECT_FALSE(is_background(c));
  EXPECT_GT(c.r, c.g + 40);  // the sphere's reddish material

  // Inverted for the highlight: now the green and blue dominate.
  highlight_current = 1;
  display_3d();
  c = pixel(width / 2, height / 2);
  EXPECT_GT(c.g, c.r + 40);

  // Viewing the cluster with no member hides every object.
  highlight_current = 0;
  view_cluster = 1;
  display_3d();
  EXPECT_TRUE(is_background(pixel(width / 2, height / 2)));
}

TEST_F(View, GridAndMarkersDrawnWhileObjectsStayWireframe) {
  // The start view: the grid and the floor axes lie below the horizon.
  display_3d();
  int covered = 0;
  for (int y = 0; y < height / 2; y += 7)
    for (int x = 0; x < width; x += 7) covered += !is_background(pixel(x, y));
  EXPECT_GT(covered, 50);

  show_grid = 0;
  show_world_axes = 0;
  show_lights = 1;
  wireframe = 1;
  // Light3, moved into view: its marker is a solid sphere of radius 1,
  // drawn although the light is switched off.
  ASSERT_EQ(light_on[4], 0);
  ObjectTable[4].position[0] = 3;
  ObjectTable[4].position[1] = 3;
  ObjectTable[4].position[2] = -3;
  display_3d();
  EXPECT_EQ(wireframe, 1);
  int x, y;
  project(3, 3, -3, &x, &y);
  ASSERT_TRUE(x > 0 && x < width && y > 0 && y < height);
  // Filled, not an outline: the whole inner disc is covered.
  for (int dx = -8; dx <= 8; dx += 4)
    for (int dy = -8; dy <= 8; dy += 4) EXPECT_FALSE(is_background(pixel(x + dx, y + dy)));
}

TEST_F(View, CapCoversTheLShapeNotItsBox) {
  show_grid = 0;
  show_world_axes = 0;
  latitude = 0;
  longitude = 0;
  // An L drawn counter-clockwise, closed back at its first point; the
  // empty quarter of its 4 x 4 box is x, y in 0..2.
  add_object(TYPE_FFACE, {{-2, -2}, {2, -2}, {2, 0}, {0, 0}, {0, 2}, {-2, 2}, {-2, -2}});
  display_3d();
  int x, y;
  for (auto in : {std::pair<float, float>{-1, -1}, {1.4f, -1}, {-1, 1.4f}}) {
    project(in.first, in.second, 5, &x, &y);
    EXPECT_FALSE(is_background(pixel(x, y))) << in.first << ", " << in.second;
  }
  project(1.5, 1.5, 5, &x, &y);
  EXPECT_TRUE(is_background(pixel(x, y)));

  // The same L drawn clockwise is capped the same way.
  ObjectRecord& rec = ObjectTable[last_record];
  for (int j = 0; j <= rec.silend; j++) {
    rec.sil[j][0] = -rec.sil[j][0];  // mirrored in x, then mirrored back by the position
  }
  rec.scales[0] = -1;
  display_3d();
  for (auto in : {std::pair<float, float>{-1, -1}, {1.4f, -1}, {-1, 1.4f}}) {
    project(in.first, in.second, 5, &x, &y);
    EXPECT_FALSE(is_background(pixel(x, y))) << in.first << ", " << in.second;
  }
  project(1.5, 1.5, 5, &x, &y);
  EXPECT_TRUE(is_background(pixel(x, y)));
  rec.scales[0] = 1;
  for (int j = 0; j <= rec.silend; j++) rec.sil[j][0] = -rec.sil[j][0];

  // The back face alone, seen from behind, covers the same L.
  ObjectTable[last_record].surfacetype = TYPE_BFACE;
  longitude = 180;
  display_3d();
  project(-1, -1, -5, &x, &y);
  EXPECT_FALSE(is_background(pixel(x, y)));
  project(1.5, 1.5, -5, &x, &y);
  EXPECT_TRUE(is_background(pixel(x, y)));
}

}  // namespace
