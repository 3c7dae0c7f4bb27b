// Object drawing through the real routines, observed through OpenGL state
// and feedback mode (what would have been rasterised).
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "render/render.h"
#include "render/tess_cache.h"
#include "support/gl_env.h"

namespace {

struct Drawn {
  int lines = 0;
  int polygons = 0;
};

// Runs draw in feedback mode under a large orthographic view, so nothing is
// clipped, and counts the lines and polygons that came out.
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
    if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
      d.lines++;
      i += 6;
    } else if (token == GL_POLYGON_TOKEN) {
      d.polygons++;
      i += 1 + 3 * (GLint)buf[i];
    } else {
      i += token == GL_PASS_THROUGH_TOKEN ? 1 : 3;  // points, bitmaps, pixels
    }
  }
  return d;
}

ObjectRecord record(int type, int knots, int order,
                    std::initializer_list<std::pair<float, float>> pts) {
  ObjectRecord r;
  std::memset(&r, 0, sizeof r);
  r.surfacetype = type;
  r.knots = knots;
  r.order = order;
  r.color[0] = r.color[3] = 1;
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
};

TEST_F(RenderObject, MatrixStackAndLightingSurviveEveryType) {
  ObjectRecord r = record(0, 0, 3, {{1, 0}, {2, 1}, {2, 3}, {1, 4}});
  GLint depth0 = 0, depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth0);
  for (int mode = 0; mode < 2; mode++) {
    wireframe = mode;
    for (int type = -1; type <= 9; type++) {
      r.surfacetype = type;
      draw_object(r);
      glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
      EXPECT_EQ(depth, depth0) << "type " << type << " wireframe " << mode;
      EXPECT_TRUE(glIsEnabled(GL_LIGHTING)) << "type " << type << " wireframe " << mode;
    }
  }
  r.surfacetype = 9;  // outside 0..8: nothing at all
  Drawn d = feedback([&] { draw_object(r); });
  EXPECT_EQ(d.lines + d.polygons, 0);
}

TEST_F(RenderObject, SurfacesLeaveNormalAndFaceStateDrawnEitherWay) {
  ObjectRecord r = record(5, 0, 3, {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}});
  const int n = r.silend + 1;
  for (int cached = 0; cached < 2; cached++) {
    tess_cache_on = cached;
    draw_surface(SURFACE_SIDES, r.order, r.knots, n, r.sil);
    EXPECT_TRUE(glIsEnabled(GL_AUTO_NORMAL));
    EXPECT_TRUE(glIsEnabled(GL_NORMALIZE));
    glDisable(GL_NORMALIZE);
    draw_surface(SURFACE_BACK_CAP, r.order, r.knots, n, r.sil, -5.0f);
    EXPECT_FALSE(glIsEnabled(GL_AUTO_NORMAL));
    EXPECT_TRUE(glIsEnabled(GL_NORMALIZE));
    GLint face = 0;
    glGetIntegerv(GL_FRONT_FACE, &face);
    EXPECT_EQ(face, GL_CCW);
    draw_surface(SURFACE_REVOLUTION, r.order, periodic, n, r.silpix);
    EXPECT_TRUE(glIsEnabled(GL_AUTO_NORMAL));
  }
}

TEST_F(RenderObject, NurbsObjectsDrawOnlyWhatTheirSilhouetteAllows) {
  wireframe = 0;
  auto polygons = [](const ObjectRecord& r) { return feedback([&] { draw_object(r); }).polygons; };
  // end_gap 0.5 closes the outline (caps); 0.625 does not, though its
  // straight-line gap is shorter than 0.6.
  ObjectRecord closed = record(5, 0, 3, {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0.25f, 0.25f}});
  ObjectRecord open = record(5, 0, 3, {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0.5f, 0.125f}});
  ObjectRecord sides = closed;
  sides.surfacetype = 6;
  EXPECT_GT(polygons(sides), 0);
  EXPECT_GT(polygons(closed), polygons(sides));
  EXPECT_EQ(polygons(open), polygons(sides));

  open.surfacetype = closed.surfacetype = 7;  // a face needs a closed or periodic outline
  EXPECT_EQ(polygons(open), 0);
  EXPECT_GT(polygons(closed), 0);
  open.knots = periodic;
  EXPECT_GT(polygons(open), 0);

  // Fewer points than the order: nothing, and no GL error.
  ObjectRecord few = record(4, 0, 4, {{1, 0}, {2, 1}, {1, 2}});
  EXPECT_EQ(polygons(few), 0);
  few.surfacetype = 5;
  few.knots = periodic;
  EXPECT_EQ(polygons(few), 0);
  EXPECT_GT(polygons(record(4, 0, 4, {{1, 0}, {2, 1}, {2, 3}, {1, 4}})), 20);
}

TEST_F(RenderObject, OutlinesAndCurves) {
  wireframe = 1;
  float pts[MAX_SIL_POINTS][2] = {{1, 0}, {2, 1}, {2, 3}, {1, 4}};
  // Wireframe stand-ins draw quadrilateral loops of four lines: twelve per silhouette segment.
  EXPECT_EQ(feedback([&] { wire_revolution(pts, 4, 12); }).lines, 4 * 36);
  // A periodic extrusion shows the closing side as one more outline.
  EXPECT_EQ(feedback([&] { wire_extrusion(openknot, pts, 4, 10); }).lines, 4 * 3);
  EXPECT_EQ(feedback([&] { wire_extrusion(periodic, pts, 4, 10); }).lines, 4 * 4);
  ObjectRecord r = record(8, 0, 3, {{1, 0}, {2, 1}, {2, 3}, {1, 4}});
  EXPECT_EQ(feedback([&] { draw_object(r); }).lines, 0);  // unclosed: no face outline

  // The silhouette curve: nothing below four points, denser with res.
  EXPECT_EQ(feedback([&] { draw_silhouette_curve(3, openknot, 2, pts); }).lines, 0);
  res = 10;
  int coarse = feedback([&] { draw_silhouette_curve(4, openknot, 3, pts); }).lines;
  res = 50;
  int fine = feedback([&] { draw_silhouette_curve(4, openknot, 3, pts); }).lines;
  EXPECT_GE(coarse, 5);
  EXPECT_GE(fine, 4 * coarse);
}

}  // namespace
