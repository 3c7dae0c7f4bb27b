// Object drawing through the real routines, observed through OpenGL state
// and through feedback mode (what would have been rasterised).
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "render/render.h"
#include "support/gl_env.h"

namespace {

struct Drawn {
  int lines = 0;
  int polygons = 0;
};

// Runs draw in feedback mode under a large orthographic view, so nothing is
// clipped, and counts the primitives that came out.
template <class F>
Drawn feedback(F draw) {
  std::vector<GLfloat> buf(1 << 22);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(-500, 500, -500, 500, -500, 500);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glFeedbackBuffer((GLsizei)buf.size(), GL_3D, buf.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  GLint n = glRenderMode(GL_RENDER);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  EXPECT_GE(n, 0) << "feedback buffer overflow";

  Drawn d;
  for (GLint i = 0; i < n;) {
    GLint token = (GLint)buf[i++];
    switch (token) {
      case GL_LINE_RESET_TOKEN:
      case GL_LINE_TOKEN:
        d.lines++;
        i += 6;
        break;
      case GL_POLYGON_TOKEN: {
        GLint count = (GLint)buf[i++];
        d.polygons++;
        i += 3 * count;
        break;
      }
      case GL_POINT_TOKEN:
      case GL_BITMAP_TOKEN:
      case GL_DRAW_PIXEL_TOKEN:
      case GL_COPY_PIXEL_TOKEN:
        i += 3;
        break;
      case GL_PASS_THROUGH_TOKEN:
        i += 1;
        break;
      default:
        ADD_FAILURE() << "unknown feedback token " << token;
        return d;
    }
  }
  return d;
}

class RenderObject : public ::testing::Test {
 protected:
  void SetUp() override {
    ensure_windows();
    reset_all();
    glutSetWindow(display_window);
    glEnable(GL_LIGHTING);
    while (glGetError() != GL_NO_ERROR) {
    }
  }
  void TearDown() override { EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR); }

  static ObjectRecord silhouette_record(int type, int knots, int order,
                                        std::initializer_list<std::pair<float, float>> pts) {
    ObjectRecord r;
    std::memset(&r, 0, sizeof r);
    r.surfacetype = type;
    r.knots = knots;
    r.order = order;
    r.color[0] = 1;
    r.color[3] = 1;
    r.shine = 0.5f;
    r.silend = -1;
    for (auto& p : pts) {
      r.silend++;
      r.sil[r.silend][0] = p.first;
      r.sil[r.silend][1] = p.second;
      r.silpix[r.silend][0] = p.first * 20;
      r.silpix[r.silend][1] = p.second * 20;
    }
    return r;
  }
};

TEST_F(RenderObject, MatrixStackAndLightingSurviveEveryType) {
  ObjectRecord r = silhouette_record(0, 0, 3, {{1, 0}, {2, 1}, {2, 3}, {1, 4}});
  GLint depth0 = 0, depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth0);
  for (int mode = 0; mode < 2; mode++) {
    wireframe = mode;
    for (int type : {-1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9}) {
      r.surfacetype = type;
      draw_object(r);
      glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
      EXPECT_EQ(depth, depth0) << "type " << type << " wireframe " << mode;
      // Wireframe turns lighting off for the object and on again after it.
      EXPECT_TRUE(glIsEnabled(GL_LIGHTING)) << "type " << type << " wireframe " << mode;
    }
  }
  // A type code outside 0..8 draws nothing at all.
  r.surfacetype = 9;
  EXPECT_EQ(feedback([&] { draw_object(r); }).polygons, 0);
  EXPECT_EQ(feedback([&] { draw_object(r); }).lines, 0);
}

TEST_F(RenderObject, SurfacesLeaveNormalAndFaceState) {
  ObjectRecord r = silhouette_record(5, 0, 3, {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}});
  nurbExtSidesOpen(r.order, r.silend + 1, r.sil);
  EXPECT_TRUE(glIsEnabled(GL_AUTO_NORMAL));
  EXPECT_TRUE(glIsEnabled(GL_NORMALIZE));

  glDisable(GL_NORMALIZE);
  nurbCapOpen(r.order, r.silend + 1, r.sil, nurbBACK, -5.0f);
  EXPECT_FALSE(glIsEnabled(GL_AUTO_NORMAL));
  EXPECT_TRUE(glIsEnabled(GL_NORMALIZE));
  GLint face = 0;
  glGetIntegerv(GL_FRONT_FACE, &face);
  EXPECT_EQ(face, GL_CCW);

  nurbSolidSurfRevPeriodic(r.order, r.silend + 1, r.silpix);
  EXPECT_TRUE(glIsEnabled(GL_AUTO_NORMAL));
}

TEST_F(RenderObject, NurbsObjectsDrawOnlyWhatTheirSilhouetteAllows) {
  wireframe = 0;
  // Closed silhouette: sides plus two caps; open one: sides only.
  ObjectRecord closed = silhouette_record(5, 0, 3, {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0.25f, 0.25f}});
  ObjectRecord open = silhouette_record(5, 0, 3, {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0.5f, 0.125f}});
  ObjectRecord sides = closed;
  sides.surfacetype = 6;
  int with_caps = feedback([&] { draw_object(closed); }).polygons;
  int without = feedback([&] { draw_object(sides); }).polygons;
  EXPECT_GT(without, 0);
  EXPECT_GT(with_caps, without);
  EXPECT_EQ(feedback([&] { draw_object(open); }).polygons, without);

  // A front face alone needs a closed or periodic silhouette.
  open.surfacetype = closed.surfacetype = 7;
  EXPECT_EQ(feedback([&] { draw_object(open); }).polygons, 0);
  EXPECT_GT(feedback([&] { draw_object(closed); }).polygons, 0);
  open.knots = periodic;
  EXPECT_GT(feedback([&] { draw_object(open); }).polygons, 0);

  // Fewer points than the order: nothing, and no GL error from GLU.
  ObjectRecord few = silhouette_record(4, 0, 4, {{1, 0}, {2, 1}, {1, 2}});
  EXPECT_EQ(feedback([&] { draw_object(few); }).polygons, 0);
  few.surfacetype = 5;
  few.knots = periodic;
  EXPECT_EQ(feedback([&] { draw_object(few); }).polygons, 0);

  // A revolution of four points is a closed solid of many facets.
  ObjectRecord rev = silhouette_record(4, 0, 4, {{1, 0}, {2, 1}, {2, 3}, {1, 4}});
  EXPECT_GT(feedback([&] { draw_object(rev); }).polygons, 20);
}

TEST_F(RenderObject, WireframeOutlines) {
  wireframe = 1;
  float pts[MAX_SIL_POINTS][2] = {{1, 0}, {2, 1}, {2, 3}, {1, 4}};
  // Outlines are quadrilateral loops of four lines: twelve per silhouette segment.
  EXPECT_EQ(feedback([&] { wire_revolution(pts, 4, 12); }).lines, 4 * 36);
  // A periodic extrusion shows the closing side as one more outline.
  EXPECT_EQ(feedback([&] { wire_extrusion(openknot, pts, 4, 10); }).lines, 4 * 3);
  EXPECT_EQ(feedback([&] { wire_extrusion(periodic, pts, 4, 10); }).lines, 4 * 4);

  ObjectRecord r = silhouette_record(4, 0, 3, {{1, 0}, {2, 1}, {2, 3}, {1, 4}});
  EXPECT_EQ(feedback([&] { draw_object(r); }).lines, 4 * 36);
  EXPECT_EQ(feedback([&] { draw_object(r); }).polygons, 0);
  // Unclosed open silhouette: no face outline either.
  r.surfacetype = 8;
  EXPECT_EQ(feedback([&] { draw_object(r); }).lines, 0);
}

TEST_F(RenderObject, SilhouetteCurveNeedsFourPointsAndFollowsRes) {
  float pts[MAX_SIL_POINTS][2] = {{0, 0}, {10, 20}, {30, 20}, {40, 0}};
  EXPECT_EQ(feedback([&] { draw_silhouette_curve(3, openknot, 2, pts); }).lines, 0);
  res = 10;
  int coarse = feedback([&] { draw_silhouette_curve(4, openknot, 3, pts); }).lines;
  res = 50;
  int fine = feedback([&] { draw_silhouette_curve(4, openknot, 3, pts); }).lines;
  EXPECT_GE(coarse, 5);
  EXPECT_GE(fine, 4 * coarse);
  EXPECT_GT(feedback([&] { draw_silhouette_curve(3, periodic, 3, pts); }).lines, 0);
}

}  // namespace
