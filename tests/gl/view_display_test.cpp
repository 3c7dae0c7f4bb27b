// The 3D view through its real callbacks: camera, projection, and pixels of finished frames.
#include <cmath>

#include "support/render_util.h"

using View = RenderTest;

// Whether the clear colour shows at a world point (or dx, dy pixels off it) in the last frame.
static bool background_at(double x, double y, double z, int dx = 0, int dy = 0) {
  GLdouble mv[16], pr[16], sx, sy, sz;
  GLint vp[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, mv);
  glGetDoublev(GL_PROJECTION_MATRIX, pr);
  glGetIntegerv(GL_VIEWPORT, vp);
  gluProject(x, y, z, mv, pr, vp, &sx, &sy, &sz);
  EXPECT_TRUE(sx > 0 && sx < vp[2] && sy > 0 && sy < vp[3] && sz < 1) << x << " " << y << " " << z;
  return background((int)sx + dx, (int)sy + dy);
}

TEST_F(View, CameraAndProjection) {
  double eye[3];
  display_3d();
  eye_position(latitude, longitude, distance, eye);
  EXPECT_NEAR(eye[0], 12.0, 0.01);
  EXPECT_NEAR(eye[1], 16.97, 0.01);
  EXPECT_NEAR(eye[2], 12.0, 0.01);
  latitude = 90;  // stays just short of the pole, with a usable up vector
  display_3d();
  eye_position(latitude, longitude, distance, eye);
  EXPECT_TRUE(eye[1] > 23.99 && std::hypot(eye[0], eye[2]) > 0);

  GLfloat p[16], q[16];
  reshape_3d(800, 400);
  glGetFloatv(GL_PROJECTION_MATRIX, p);
  EXPECT_NEAR(p[5] / p[0], 2.0, 1e-4);                 // aspect 2
  EXPECT_NEAR(p[5], 1.0 / std::tan(M_PI / 12), 1e-4);  // still 30 degrees vertically
  reshape_3d(800, 0);                                  // minimised: the projection stays
  glGetFloatv(GL_PROJECTION_MATRIX, q);
  for (int k = 0; k < 16; k++) EXPECT_EQ(q[k], p[k]);
}

TEST_F(View, GridSphereHighlightClusterAndLightMarkers) {
  display_3d();  // the start view: grid and floor axes fill the lower half
  int covered = 0;
  for (int y = 0; y < height / 2; y += 7)
    for (int x = 0; x < width; x += 7) covered += !background(x, y);
  EXPECT_GT(covered, 50);

  show_grid = show_world_axes = 0;
  ObjectRecord& sphere = add_record(TYPE_SPHERE, openknot, 3, {});
  sphere.scales[0] = sphere.scales[1] = sphere.scales[2] = 0.2f;
  auto centre = [&] { return read_rgb(width / 2, height / 2, 1, 1); };
  display_3d();
  EXPECT_TRUE(background(10, 10) && background(width / 2, height - 10));
  EXPECT_GT(centre()[0], centre()[1] + 40);  // the sphere's red covers the centre
  highlight_current = 1;                     // drawn in the inverted colour
  display_3d();
  EXPECT_GT(centre()[1], centre()[0] + 40);
  view_cluster = 1;  // a cluster view without members shows no object
  display_3d();
  EXPECT_TRUE(background(width / 2, height / 2));

  // Light3 is off but its marker still shows, solid while objects are wireframe.
  view_cluster = 0, show_lights = wireframe = 1;
  float* light3 = ObjectTable[4].position;
  light3[0] = light3[1] = 3, light3[2] = -3;
  display_3d();
  EXPECT_EQ(wireframe, 1);
  for (int dx = -8; dx <= 8; dx += 4)
    for (int dy = -8; dy <= 8; dy += 4) EXPECT_FALSE(background_at(3, 3, -3, dx, dy));
}

TEST_F(View, CapCoversTheLShapeNotItsBox) {
  show_grid = show_world_axes = 0;
  latitude = longitude = 0;
  // An L, counter-clockwise and closed; the empty quarter of its box is x, y in 0..2.
  ObjectRecord& rec = add_record(TYPE_FFACE, openknot, 3,
                                 {{-2, -2}, {2, -2}, {2, 0}, {0, 0}, {0, 2}, {-2, 2}, {-2, -2}});
  auto check = [&](float z) {
    display_3d();
    EXPECT_FALSE(background_at(-1, -1, z) || background_at(1.4, -1, z) ||
                 background_at(-1, 1.4, z));
    EXPECT_TRUE(background_at(1.5, 1.5, z));
  };
  check(5);
  // Drawn clockwise (mirrored, and mirrored back by the scale): the same cap.
  for (int j = 0; j <= rec.silend; j++) rec.sil[j][0] = -rec.sil[j][0];
  rec.scales[0] = -1;
  check(5);
  rec.surfacetype = TYPE_BFACE, longitude = 180;  // the back face seen from behind
  check(-5);
}
