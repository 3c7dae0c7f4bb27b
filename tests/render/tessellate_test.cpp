// The modeller's own tessellator against GLU's, its caps against its walls,
// and the sampling it chooses for a size on the screen.
#include "render/tessellate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>
#include <vector>

#include "render/glu_capture.h"
#include "render/tess_cache.h"

namespace {

// A vase profile and a five-lobed star, both with room to spare.
Silhouette vase(int order, int type) {
  Silhouette s = nurb_silhouette(order, type, 0, nullptr);
  for (int k = 0; k < 7; k++, s.count++)
    s.pts[k][0] = 1.5f + std::sin(0.9f * k), s.pts[k][1] = 0.7f * k;
  return s;
}

Silhouette star(int order, int type, int count) {
  Silhouette s = nurb_silhouette(order, type, 0, nullptr);
  s.count = count;
  const int steps = type == periodic ? count : count - 1;  // an open one ends on its start
  for (int k = 0; k < count; k++) {
    const double a = 2 * M_PI * (k % steps) / steps, r = 2.5 + 0.7 * std::cos(5 * a);
    s.pts[k][0] = static_cast<float>(r * std::cos(a));
    s.pts[k][1] = static_cast<float>(r * std::sin(a));
  }
  return s;
}

using Point = std::tuple<float, float, float>;

Point place(const MeshVertex& v) {
  return Point(v.pos[0] / v.pos[3], v.pos[1] / v.pos[3], v.pos[2] / v.pos[3]);
}

double apart(const Point& a, const Point& b) {
  return std::fabs(std::get<0>(a) - std::get<0>(b)) + std::fabs(std::get<1>(a) - std::get<1>(b)) +
         std::fabs(std::get<2>(a) - std::get<2>(b));
}

// The vertex of m nearest to v in place and texture coordinates (a seam
// has two of each place), and how far it is.
const MeshVertex& nearest(const MeshData& m, const MeshVertex& v, double* distance) {
  const MeshVertex* best = &m.vertices[0];
  *distance = HUGE_VAL;
  for (const MeshVertex& w : m.vertices) {
    const double d =
        apart(place(v), place(w)) + std::fabs(v.tex[0] - w.tex[0]) + std::fabs(v.tex[1] - w.tex[1]);
    if (d < *distance) *distance = d, best = &w;
  }
  return *best;
}

double cosine(const float a[3], const float b[3]) {
  const double dot = a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
  return dot / std::sqrt((a[0] * a[0] + a[1] * a[1] + a[2] * a[2]) *
                         (b[0] * b[0] + b[1] * b[1] + b[2] * b[2]));
}

// Triangles wound counter-clockwise about their first vertex's normal,
// less those wound the other way.
int winding(const MeshData& m) {
  int sum = 0;
  for (size_t i = 0; i < m.indices.size(); i += 3) {
    const MeshVertex &a = m.vertices[m.indices[i]], &b = m.vertices[m.indices[i + 1]],
                     &c = m.vertices[m.indices[i + 2]];
    double u[3], w[3];
    for (int k = 0; k < 3; k++) {
      u[k] = b.pos[k] / b.pos[3] - a.pos[k] / a.pos[3];
      w[k] = c.pos[k] / c.pos[3] - a.pos[k] / a.pos[3];
    }
    const double n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2],
                         u[0] * w[1] - u[1] * w[0]};
    const double d = n[0] * a.normal[0] + n[1] * a.normal[1] + n[2] * a.normal[2];
    sum += d > 0 ? 1 : (d < 0 ? -1 : 0);
  }
  return sum;
}

}  // namespace

TEST(Tessellator, AtTheFinestSamplingItsVerticesAreGLUs) {
  res = 10;
  for (int type = openknot; type <= periodic; type++)
    for (int order = 3; order <= 4; order++)
      for (SurfaceKind kind : {SURFACE_REVOLUTION, SURFACE_SIDES}) {
        SCOPED_TRACE(testing::Message()
                     << "knots " << type << " order " << order << " kind " << kind);
        const Silhouette s = vase(order, type);
        const Sampling finest = choose_sampling(s, kind == SURFACE_REVOLUTION, -1.0, res);
        const MeshData own = kind == SURFACE_REVOLUTION ? tessellate_revolution(s, finest)
                                                        : tessellate_sides(s, finest);
        const MeshData glu = glu_surface_triangles(kind, s, 0.0f);
        ASSERT_GT(own.indices.size(), 0u);
        double worst = 0.0, worst_cos = 1.0;
        for (const MeshVertex& v : own.vertices) {
          double d;
          const MeshVertex& w = nearest(glu, v, &d);
          worst = std::fmax(worst, d);
          worst_cos = std::fmin(worst_cos, cosine(v.normal, w.normal));
        }
        EXPECT_LT(worst, 1e-4) << "an own vertex off GLU's samples or texture coordinates";
        EXPECT_GT(worst_cos, 0.9999) << "normals differ";
        // Both ways GLU samples (the depth of a wall only at its ends).
        for (const MeshVertex& w : glu.vertices) {
          if (kind == SURFACE_SIDES && std::fabs(std::fabs(w.pos[2]) - 5.0f) > 1e-6f) continue;
          double d;
          nearest(own, w, &d);
          ASSERT_LT(d, 1e-4) << "a GLU sample the own tessellation lacks";
        }
        // Triangles face the way GLU's do.
        EXPECT_EQ(winding(own), static_cast<int>(own.indices.size() / 3));
        EXPECT_EQ(winding(glu), static_cast<int>(glu.indices.size() / 3));
      }
}

TEST(Tessellator, CapsShareTheWallsEdgeAndCoverTheOutline) {
  res = 50;
  for (int type = openknot; type <= periodic; type++)
    for (double scale : {0.5, 40.0}) {
      SCOPED_TRACE(testing::Message() << "knots " << type << " scale " << scale);
      const Silhouette s = star(4, type, 40);
      const Sampling at = choose_sampling(s, false, scale, res);
      const MeshData wall = tessellate_sides(s, at);
      for (int side : {nurbFRONT, nurbBACK}) {
        const float depth = side == nurbFRONT ? 5.0f : -5.0f;
        const MeshData cap = tessellate_cap(s, side, depth, at);
        std::set<Point> edge, outline;
        for (const MeshVertex& v : wall.vertices)
          if (v.pos[2] == depth) edge.insert(place(v));
        for (const MeshVertex& v : cap.vertices) outline.insert(place(v));
        EXPECT_EQ(outline, edge) << "the cap's outline is not the wall's edge";
        // The triangles, all counter-clockwise seen from +z, add up to the outline's area.
        double covered = 0.0, area = 0.0;
        for (size_t i = 0; i < cap.indices.size(); i += 3) {
          const float *a = cap.vertices[cap.indices[i]].pos,
                      *b = cap.vertices[cap.indices[i + 1]].pos,
                      *c = cap.vertices[cap.indices[i + 2]].pos;
          const double twice = (b[0] - a[0]) * (c[1] - a[1]) - (c[0] - a[0]) * (b[1] - a[1]);
          EXPECT_GT(twice, 0.0);
          covered += twice / 2;
        }
        const int n = static_cast<int>(wall.vertices.size() / 2);
        for (int k = 0; k + 1 < n; k++) {  // the wall's bottom row, in order
          const float *p = wall.vertices[2 * k].pos, *q = wall.vertices[2 * k + 2].pos;
          area += (p[0] * q[1] - q[0] * p[1]) / 2;
        }
        EXPECT_NEAR(covered, std::fabs(area), 1e-3 * std::fabs(area));
        EXPECT_EQ(cap.vertices[0].normal[2], side == nurbFRONT ? 1.0f : -1.0f);
        // Texture coordinates span the outline's box, mirrored at the back, as GLU's do.
        const MeshData glu = glu_surface_triangles(
            side == nurbFRONT ? SURFACE_FRONT_CAP : SURFACE_BACK_CAP, s, depth);
        NurbCap box;
        ASSERT_EQ(nurb_build_cap(&s, side, depth, &box), NURB_OK);
        for (const MeshData* m : {&cap, &glu})
          for (const MeshVertex& v : m->vertices) {
            const float u = (v.pos[0] - box.xmin) / (box.xmax - box.xmin);
            EXPECT_NEAR(v.tex[0], side == nurbFRONT ? u : 1 - u, 1e-4);
            EXPECT_NEAR(v.tex[1], (v.pos[1] - box.ymin) / (box.ymax - box.ymin), 1e-4);
          }
      }
    }
  // An open outline whose end stops short of its start is closed on the
  // start, as the trim loop is.
  Silhouette gap = star(3, openknot, 12), shut = gap;
  gap.pts[11][0] += 0.3f, gap.pts[11][1] += 0.2f;
  const Sampling at = choose_sampling(shut, false, 30.0, res);
  const MeshData gapped = tessellate_cap(gap, nurbFRONT, 5.0f, at);
  const MeshData closed = tessellate_cap(shut, nurbFRONT, 5.0f, at);
  ASSERT_EQ(gapped.vertices.size(), closed.vertices.size());
  for (size_t i = 0; i < closed.vertices.size(); i++)
    EXPECT_EQ(place(gapped.vertices[i]), place(closed.vertices[i])) << "vertex " << i;
}

TEST(Tessellator, TheDepthOfAWallIsOneSegment) {
  const Silhouette s = star(4, periodic, NURB_MAX_POINTS);
  const Sampling at = choose_sampling(s, false, 100.0, 50);
  const MeshData wall = tessellate_sides(s, at);
  int samples = 1;
  for (int j = 0; j < at.spans; j++) samples += at.along[j];
  EXPECT_EQ(wall.vertices.size(), 2u * samples);
  EXPECT_EQ(wall.indices.size(), 6u * (samples - 1));
  for (const MeshVertex& v : wall.vertices) EXPECT_EQ(std::fabs(v.pos[2]), 5.0f);
  // A sampling made for another silhouette is refused.
  EXPECT_EQ(tessellate_sides(star(4, periodic, 12), at).vertices.size(), 0u);
}

TEST(Tessellator, SamplingGrowsWithTheScreenSizeUpToWhatResGives) {
  for (int r : {10, 50}) {
    const Silhouette s = vase(4, openknot);
    Sampling last = choose_sampling(s, true, 0.001, r);
    for (double scale = 0.01; scale < 1e5; scale *= 3) {
      SCOPED_TRACE(testing::Message() << "res " << r << " scale " << scale);
      const Sampling at = choose_sampling(s, true, scale, r);
      ASSERT_EQ(at.spans, 4);
      EXPECT_GE(at.around, last.around);
      EXPECT_LE(at.around, r / 4);
      for (int j = 0; j < at.spans; j++) {
        EXPECT_GE(at.along[j], last.along[j]) << "span " << j;
        EXPECT_LE(at.along[j], r) << "span " << j;
        EXPECT_GE(at.along[j], 1) << "span " << j;
      }
      last = at;
    }
    EXPECT_EQ(last.around, r / 4);  // close enough, GLU's own sampling
    EXPECT_EQ(last.along[1], r);
  }
  // Small on the screen, a gentle curve takes few samples.
  const Sampling small = choose_sampling(vase(4, openknot), true, 0.01, 50);
  EXPECT_EQ(small.around, 1);
  EXPECT_LE(small.along[0], 4);
  // Where one chord a quarter strays 0.15 pixels from the circle, one it is.
  EXPECT_EQ(choose_sampling(vase(4, openknot), true, 0.2, 50).around, 1);
  // Where the outline turns sharply, the normal turns a few degrees a
  // segment, unless the segments would be shorter than a quarter pixel.
  float corner[][2] = {{0, 0}, {1, 0}, {1, 1}};  // a right angle in one span
  const Silhouette bend = nurb_silhouette(3, openknot, 3, corner);
  EXPECT_EQ(choose_sampling(bend, false, 1.0, 50).along[0], 8);
  EXPECT_EQ(choose_sampling(bend, false, 0.1, 50).along[0], 2);
  // Large on the screen the chord's deviation decides, wherever the span lies.
  float moved[][2] = {{5, 5}, {6, 5}, {6, 6}};
  EXPECT_EQ(choose_sampling(bend, false, 100.0, 50).along[0], 17);
  EXPECT_EQ(choose_sampling(nurb_silhouette(3, openknot, 3, moved), false, 100.0, 50).along[0], 17);
  // A point that is not a number leaves every span between 1 and res samples.
  Silhouette broken = vase(4, openknot);
  broken.pts[3][0] = NAN;
  for (double scale : {0.0, 1.0, 1e9}) {
    const Sampling odd = choose_sampling(broken, true, scale, 50);
    for (int j = 0; j < odd.spans; j++) {
      EXPECT_GE(odd.along[j], 1) << "span " << j << " scale " << scale;
      EXPECT_LE(odd.along[j], 50) << "span " << j << " scale " << scale;
    }
  }
  // A res too low for a quarter circle still takes one segment.
  EXPECT_EQ(glu_segments(0.25, 2), 1);
}

// A camera at the origin looking down -z through a 90 degree frustum
// (near 1, far 100) onto a 200 x 100 viewport, the box moved by (dx, dy, dz).
BoxView seen(float dx, float dy, float dz, float size = 1.0f) {
  const float modelview[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, dx, dy, dz, 1};
  const float projection[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -101.0f / 99, -1, 0, 0, -200.0f / 99, 0};
  const int viewport[4] = {0, 0, 200, 100};
  const float lo[3] = {-size, -size, -size}, hi[3] = {size, size, size};
  return box_view(modelview, projection, viewport, lo, hi);
}

TEST(BoxView, OutsideOnlyWhenWhollyBeyondOnePlane) {
  EXPECT_FALSE(seen(0, 0, -10).outside);
  for (float edge : {-10.5f, 10.5f}) {  // a corner just inside the sides at depth 10 +- 1
    EXPECT_FALSE(seen(edge, 0, -10).outside) << edge;
    EXPECT_FALSE(seen(0, edge, -10).outside) << edge;
  }
  for (float beyond : {-12.5f, 12.5f}) {
    EXPECT_TRUE(seen(beyond, 0, -10).outside) << beyond;
    EXPECT_TRUE(seen(0, beyond, -10).outside) << beyond;
  }
  // Turned 30 degrees about y, then about x, a box of which only the corner
  // at its lower bounds is in view is kept.
  const float c = std::cos(static_cast<float>(M_PI) / 6), s = 0.5f;
  const float turned[16] = {c, s * s, -s * c, 0, 0, c, s, 0, s, -s * c, c * c, 0, 3, -3, -1, 1};
  const float projection[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -101.0f / 99, -1, 0, 0, -200.0f / 99, 0};
  const int viewport[4] = {0, 0, 200, 100};
  const float lo[3] = {-1, -1, -1}, hi[3] = {1, 1, 1};
  EXPECT_FALSE(box_view(turned, projection, viewport, lo, hi).outside);
  EXPECT_TRUE(seen(0, 0, 5).outside);      // behind the eye
  EXPECT_TRUE(seen(0, 0, -0.2f, 0.5f).outside);  // before the near plane
  EXPECT_FALSE(seen(0, 0, -1.2f, 0.5f).outside);
  EXPECT_TRUE(seen(0, 0, -102).outside);   // beyond the far plane
  EXPECT_FALSE(seen(0, 0, -100).outside);
  // A box larger than the view around it is kept.
  EXPECT_FALSE(seen(0, 0, -10, 30).outside);
}

TEST(BoxView, PixelsAUnitCoversFromTheNearestCorner) {
  // At the nearest corner's depth 9, a unit covers 200 / 2 / 9 pixels across.
  EXPECT_NEAR(seen(0, 0, -10).pixels_per_unit, 100.0 / 9.0, 1e-4);
  EXPECT_NEAR(seen(0, 0, -20).pixels_per_unit, 100.0 / 19.0, 1e-4);
  EXPECT_EQ(seen(0, 0, -0.5f).pixels_per_unit, HUGE_VAL);  // reaches the eye
  // A modelview that stretches an axis twice stretches the units.
  const float modelview[16] = {1, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1, 0, 0, 0, -10, 1};
  const float projection[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -101.0f / 99, -1, 0, 0, -200.0f / 99, 0};
  const int viewport[4] = {0, 0, 200, 100};
  const float lo[3] = {-1, -1, -1}, hi[3] = {1, 1, 1};
  EXPECT_NEAR(box_view(modelview, projection, viewport, lo, hi).pixels_per_unit, 200.0 / 9.0, 1e-4);
}

TEST(DetailLevels, CoarseStepsThatCoverTheScale) {
  for (double scale : {0.01, 0.3, 1.0, 1.5, 7.0, 300.0}) {
    const int level = detail_level(scale);
    EXPECT_GE(level_scale(level), scale) << scale;
    EXPECT_LT(level_scale(level - 1), scale) << scale;
  }
  EXPECT_EQ(detail_level(0.0), 0);
  EXPECT_EQ(detail_level(HUGE_VAL), MAX_DETAIL_LEVEL);
}

TEST(DetailLevels, RiseAtOnceAndFallOnlyAfterAFrameTwoLevelsLower) {
  reset_tess_cache();
  const Silhouette s = star(4, periodic, 20), other = star(3, periodic, 20);
  EXPECT_EQ(settle_detail_level(SURFACE_SIDES, s, 10), 10);
  EXPECT_EQ(settle_detail_level(SURFACE_FRONT_CAP, s, 9), 10);  // a cap keeps to its wall
  EXPECT_EQ(settle_detail_level(SURFACE_REVOLUTION, s, 6), 6);  // a revolution has its own
  EXPECT_EQ(settle_detail_level(SURFACE_SIDES, other, 3), 3);
  tess_cache_frame();
  EXPECT_EQ(settle_detail_level(SURFACE_SIDES, s, 9), 10);  // one lower: kept
  tess_cache_frame();
  EXPECT_EQ(settle_detail_level(SURFACE_SIDES, s, 8), 10);  // the frame before asked for 9
  tess_cache_frame();
  EXPECT_EQ(settle_detail_level(SURFACE_SIDES, s, 8), 9);       // a whole frame at 8: down to 9
  EXPECT_EQ(settle_detail_level(SURFACE_BACK_CAP, s, 12), 13);  // up at once, and a step on
  tess_cache_frame();
  EXPECT_EQ(settle_detail_level(SURFACE_SIDES, s, 13), 13);
  EXPECT_EQ(settle_detail_level(SURFACE_SIDES, s, 4), 13);  // 13 was asked for in this frame
  tess_cache_frame();
  EXPECT_EQ(settle_detail_level(SURFACE_SIDES, s, 4), 13);  // and in the last
  tess_cache_frame();
  EXPECT_EQ(settle_detail_level(SURFACE_BACK_CAP, s, 4), 5);
  EXPECT_EQ(settle_detail_level(SURFACE_SIDES, other, 3), 3);
  tess_cache_frame();
  EXPECT_EQ(settle_detail_level(SURFACE_SIDES, other, 9), 10);
  tess_cache_frame();
  EXPECT_EQ(settle_detail_level(SURFACE_SIDES, other, 6), 10);
  tess_cache_frame();
  EXPECT_EQ(settle_detail_level(SURFACE_SIDES, other, 2), 7);  // a step above the last frame's 6
  reset_tess_cache();
}
