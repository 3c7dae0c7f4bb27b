// Object drawing, observed through the OpenGL state and the primitives it sends.
#include "support/render_util.h"

// The primitives draw() sends, under a view so wide that GLU culls nothing.
template <class F>
static int primitives(F draw) {
  glMatrixMode(GL_PROJECTION);  // SetUp's reshape_3d puts the view's projection back
  glLoadIdentity();
  glOrtho(-500, 500, -500, 500, -500, 500);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  GLuint query, n = 0;
  glGenQueries(1, &query);
  glBeginQuery(GL_PRIMITIVES_GENERATED, query);
  draw();
  glEndQuery(GL_PRIMITIVES_GENERATED);
  glGetQueryObjectuiv(query, GL_QUERY_RESULT, &n);
  glDeleteQueries(1, &query);
  return (int)n;
}
static int drawn(const ObjectRecord& r) {
  return primitives([&] { draw_object(r); });
}

using RenderObject = RenderTest;

TEST_F(RenderObject, MatrixStackLightingNormalsAndFrontFaceSurviveDrawing) {
  ObjectRecord r = add_record(5, openknot, 3, {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}});
  r.shine = 130.0f / 120.0f;  // the shine bar's clickable end: no GL error (checked at tear-down)
  GLint depth0 = 0, depth = 0, face = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth0);
  glEnable(GL_LIGHTING);
  for (wireframe = 0; wireframe < 2; wireframe++)
    for (r.surfacetype = -1; r.surfacetype <= 9; r.surfacetype++) {
      draw_object(r);
      glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
      EXPECT_EQ(depth, depth0) << "type " << r.surfacetype << " wireframe " << wireframe;
      EXPECT_TRUE(glIsEnabled(GL_LIGHTING)) << "type " << r.surfacetype << " " << wireframe;
    }
  r.surfacetype = 9;  // outside 0..8: nothing at all
  EXPECT_EQ(drawn(r), 0);

  const Silhouette s = nurb_silhouette(r.order, r.knots, 5, r.sil);
  const Silhouette ring = nurb_silhouette(r.order, periodic, 5, r.silpix);
  for (tess_cache_on = 0; tess_cache_on < 2; tess_cache_on++) {
    draw_surface(SURFACE_SIDES, s);
    EXPECT_TRUE(glIsEnabled(GL_AUTO_NORMAL) && glIsEnabled(GL_NORMALIZE));
    glDisable(GL_NORMALIZE);
    draw_surface(SURFACE_BACK_CAP, s, -5.0f);
    EXPECT_TRUE(!glIsEnabled(GL_AUTO_NORMAL) && glIsEnabled(GL_NORMALIZE));
    glGetIntegerv(GL_FRONT_FACE, &face);
    EXPECT_EQ(face, GL_CCW);
    draw_surface(SURFACE_REVOLUTION, ring);
    EXPECT_TRUE(glIsEnabled(GL_AUTO_NORMAL));
  }
}

TEST_F(RenderObject, NurbsObjectsDrawOnlyWhatTheirSilhouetteAllows) {
  // end_gap 0.5 closes the outline (caps); 0.625 does not, though its
  // straight-line gap is shorter than 0.6.
  ObjectRecord closed = add_record(5, 0, 3, {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0.25f, 0.25f}});
  ObjectRecord open = add_record(5, 0, 3, {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0.5f, 0.125f}});
  ObjectRecord sides = closed;
  sides.surfacetype = 6;
  EXPECT_GT(drawn(sides), 0);
  EXPECT_GT(drawn(closed), drawn(sides));
  EXPECT_EQ(drawn(open), drawn(sides));
  open.surfacetype = closed.surfacetype = 7;  // a face needs a closed or periodic outline
  EXPECT_EQ(drawn(open), 0);
  EXPECT_GT(drawn(closed), 0);
  open.knots = periodic;
  EXPECT_GT(drawn(open), 0);

  // Fewer points than the order: nothing, and no GL error.
  ObjectRecord few = add_record(4, openknot, 4, {{1, 0}, {2, 1}, {1, 2}});
  EXPECT_EQ(drawn(few), 0);
  few.surfacetype = 5, few.knots = periodic;
  EXPECT_EQ(drawn(few), 0);
  EXPECT_GT(drawn(add_record(4, openknot, 4, {{1, 0}, {2, 1}, {2, 3}, {1, 4}})), 20);
}

TEST_F(RenderObject, OutlinesAndCurves) {
  float pts[MAX_SIL_POINTS][2] = {{1, 0}, {2, 1}, {2, 3}, {1, 4}};
  // Quadrilateral loops of four lines: twelve a silhouette segment about y.
  EXPECT_EQ(primitives([&] { wire_revolution(pts, 4, 12); }), 4 * 36);
  // A periodic extrusion shows the closing side as one more outline.
  EXPECT_EQ(primitives([&] { wire_extrusion(openknot, pts, 4, 10); }), 4 * 3);
  EXPECT_EQ(primitives([&] { wire_extrusion(periodic, pts, 4, 10); }), 4 * 4);

  // The silhouette curve: nothing below four points, denser with res.
  const Silhouette three = nurb_silhouette(3, openknot, 3, pts);
  const Silhouette four = nurb_silhouette(4, openknot, 4, pts);
  EXPECT_EQ(primitives([&] { draw_silhouette_curve(three); }), 0);
  res = 10;
  const int coarse = primitives([&] { draw_silhouette_curve(four); });
  res = 50;
  EXPECT_GE(coarse, 5);
  EXPECT_GE(primitives([&] { draw_silhouette_curve(four); }), 4 * coarse);
}
