// The arrays the NURBS surface routines hand to GLU: knots, control nets,
// texture coordinates and trim loops.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "nurbUtil.h"

namespace {

constexpr float EPS = 1e-4f;

// A silhouette in a full-size table, as the records hold them.
struct Sil {
  float p[NURB_MAX_POINTS][2] = {};
  int n = 0;
  Sil(std::initializer_list<std::pair<float, float>> pts) {
    for (auto& q : pts) {
      p[n][0] = q.first;
      p[n++][1] = q.second;
    }
  }
};

TEST(ArcParams, OpenAndClosedChordLengths) {
  Sil sq{{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  float t[NURB_MAX_POINTS + 1];
  ASSERT_TRUE(arc_params(sq.n, sq.p, 0, t));
  EXPECT_NEAR(t[1], 1.0 / 3, EPS);
  EXPECT_EQ(t[3], 1.0f);                      // exactly, not a rounded sum
  ASSERT_TRUE(arc_params(sq.n, sq.p, 1, t));  // with the closing chord
  EXPECT_NEAR(t[3], 0.75, EPS);
  EXPECT_EQ(t[4], 1.0f);
  Sil dot{{2, 2}, {2, 2}, {2, 2}, {2, 2}};  // no length, nothing to divide by
  EXPECT_FALSE(arc_params(dot.n, dot.p, 1, t));
  EXPECT_EQ(t[2], 0.0f);
}

TEST(Revolution, OpenNetSweepsAboutTheYAxis) {
  Sil s{{2, 0}, {0, 1}, {3, 2}, {1.5f, 4}};  // the second point lies on the axis
  auto rev = std::make_unique<NurbRevolution>();
  ASSERT_TRUE(nurb_build_revolution(4, openknot, s.n, s.p, rev.get()));
  EXPECT_EQ(rev->columns, 4);
  ASSERT_EQ(rev->knot_count, 8);
  EXPECT_EQ(rev->knots[3], 0.0f);
  EXPECT_EQ(rev->knots[4], 1.0f);
  for (int j = 0; j < s.n; j++) {
    const float x = s.p[j][0], y = s.p[j][1];
    for (int i = 0; i < 9; i++) {
      const float* c = rev->net[i][j];
      const float px = c[0] / c[3], py = c[1] / c[3], pz = c[2] / c[3];
      EXPECT_NEAR(py, y, EPS);
      if (i == 0 || i == 8) {  // first and last rows: x-y plane, positive x
        EXPECT_NEAR(px, x, EPS);
        EXPECT_NEAR(pz, 0, EPS);
      }
      if (i % 2 == 0) {  // the curve passes through the even rows
        EXPECT_NEAR(std::hypot(px, pz), x, 1e-3) << "row " << i;
      }
      if (i == 2) {  // the sweep turns towards -z first
        EXPECT_NEAR(pz, -x, EPS);
      }
      EXPECT_NEAR(rev->tex[i][j][0], i / 8.0f, EPS);
    }
  }
  EXPECT_EQ(rev->tex[5][3][1], 1.0f);
}

TEST(Extrusion, PeriodicSidesWrapThroughTheSeam) {
  Sil s{{0, 0}, {2, 0}, {2, 1}, {1, 2}, {0, 1}};
  auto ext = std::make_unique<NurbExtrusion>();
  ASSERT_TRUE(nurb_build_extrusion(3, periodic, s.n, s.p, ext.get()));
  EXPECT_EQ(ext->columns, 7);
  EXPECT_EQ(ext->knot_count, 10);
  EXPECT_EQ(ext->vert[6][1][0], s.p[1][0]);  // the second point again
  float t[NURB_MAX_POINTS + 1];
  arc_params(s.n, s.p, 1, t);
  EXPECT_EQ(ext->tex[5][0][0], 1.0f);
  EXPECT_NEAR(ext->tex[6][1][0], t[1] + 1, EPS);
  EXPECT_EQ(ext->tex[6][1][1], 1.0f);
}

double trim_area(const NurbCap& c, int n) {
  double a = 0;
  for (int j = 0; j < n; j++)
    a += c.trim[j][0] * c.trim[(j + 1) % n][1] - c.trim[(j + 1) % n][0] * c.trim[j][1];
  return a;
}

TEST(Cap, PatchAndClosedTrimLoops) {
  // Open: the last point stops 0.5 short of the first; the loop still closes.
  Sil s{{1, 1}, {5, 1}, {5, 3}, {1, 3}, {1, 1.5f}};
  NurbCap front, back;
  ASSERT_TRUE(nurb_build_cap(3, openknot, s.n, s.p, nurbFRONT, 5.0f, &front));
  ASSERT_TRUE(nurb_build_cap(3, openknot, s.n, s.p, nurbBACK, -5.0f, &back));
  EXPECT_EQ(front.tex[1][0][0], 1.0f);  // mirrored in s at the back
  EXPECT_EQ(back.tex[1][0][0], 0.0f);
  ASSERT_EQ(front.trim_count, 5);
  EXPECT_EQ(front.knot_count, 8);
  EXPECT_EQ(front.trim[4][1], front.trim[0][1]);
  EXPECT_NEAR(front.trim[2][0], 1.0f, EPS);

  // Periodic: the first order - 1 points again, periodic knots.
  Sil p{{0, 0}, {4, 0}, {4, 2}, {2, 4}, {0, 2}};
  ASSERT_TRUE(nurb_build_cap(4, periodic, p.n, p.p, nurbFRONT, 5.0f, &front));
  ASSERT_EQ(front.trim_count, 8);
  ASSERT_EQ(front.knot_count, 12);
  EXPECT_NEAR(front.trim[3][0], 0.5f, EPS);
  for (int w = 0; w < 3; w++) EXPECT_EQ(front.trim[5 + w][0], front.trim[w][0]);

  // Clockwise silhouettes are walked the other way, so the inside is kept.
  Sil cw{{0, 0}, {0, 2}, {2, 2}, {2, 0}, {0.25f, 0}};
  ASSERT_TRUE(nurb_build_cap(3, openknot, cw.n, cw.p, nurbFRONT, 5, &front));
  EXPECT_GT(trim_area(front, front.trim_count), 0);
  EXPECT_EQ(front.trim[1][0], 1.0f);
  EXPECT_EQ(front.trim[4][0], 0.0f);
}

TEST(Builders, RefuseWhatCannotMakeASurfaceAndHoldTheLargest) {
  auto rev = std::make_unique<NurbRevolution>();
  auto ext = std::make_unique<NurbExtrusion>();
  NurbCap cap;
  Sil three{{0, 0}, {1, 0}, {1, 1}};
  EXPECT_FALSE(nurb_build_revolution(4, openknot, three.n, three.p, rev.get()));
  EXPECT_FALSE(nurb_build_extrusion(4, periodic, three.n, three.p, ext.get()));
  EXPECT_FALSE(nurb_build_cap(4, openknot, three.n, three.p, nurbFRONT, 5, &cap));
  Sil flat{{0, 1}, {2, 1}, {4, 1}, {0, 1}};  // a box without height
  EXPECT_FALSE(nurb_build_cap(3, openknot, flat.n, flat.p, nurbFRONT, 5, &cap));
  Sil dot{{1, 1}, {1, 1}, {1, 1}, {1, 1}};  // a surface, but without texture
  ASSERT_TRUE(nurb_build_extrusion(4, periodic, dot.n, dot.p, ext.get()));
  EXPECT_FALSE(ext->textured);

  float pts[NURB_MAX_POINTS][2];
  for (int i = 0; i < NURB_MAX_POINTS; i++) {
    pts[i][0] = (float)(3 + std::cos(2 * M_PI * i / NURB_MAX_POINTS));
    pts[i][1] = (float)(3 + std::sin(2 * M_PI * i / NURB_MAX_POINTS));
  }
  ASSERT_TRUE(nurb_build_revolution(4, periodic, NURB_MAX_POINTS, pts, rev.get()));
  EXPECT_EQ(rev->columns, NURB_MAX_CONTROL);
  EXPECT_EQ(rev->knot_count, NURB_MAX_KNOTS);
  ASSERT_TRUE(nurb_build_cap(4, periodic, NURB_MAX_POINTS, pts, nurbBACK, -5, &cap));
  EXPECT_EQ(cap.trim_count, NURB_MAX_CONTROL);
  EXPECT_EQ(cap.knot_count, NURB_MAX_KNOTS);
}

}  // namespace
