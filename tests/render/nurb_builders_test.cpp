// The arrays the NURBS surface routines hand to GLU: knots, control nets,
// texture coordinates and trim loops.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "nurbUtil.h"

namespace {

constexpr float EPS = 1e-4f;

// Silhouette of an outline with given points, copied into a full-size table
// (the routines take the record's 80-point arrays).
struct Sil {
  float p[NURB_MAX_POINTS][2] = {};
  int n = 0;
  Sil(std::initializer_list<std::pair<float, float>> pts) {
    for (auto& q : pts) {
      p[n][0] = q.first;
      p[n][1] = q.second;
      n++;
    }
  }
};

TEST(ArcParams, OpenAndClosedChordLengths) {
  // Unit square walked from the origin: chords 1, 1, 1 and a closing chord 1.
  Sil sq{{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  float t[NURB_MAX_POINTS + 1];
  ASSERT_TRUE(arc_params(sq.n, sq.p, 0, t));
  EXPECT_NEAR(t[0], 0, EPS);
  EXPECT_NEAR(t[1], 1.0 / 3, EPS);
  EXPECT_NEAR(t[2], 2.0 / 3, EPS);
  EXPECT_EQ(t[3], 1.0f);  // exactly, not a rounded sum

  ASSERT_TRUE(arc_params(sq.n, sq.p, 1, t));
  EXPECT_NEAR(t[1], 0.25, EPS);
  EXPECT_NEAR(t[3], 0.75, EPS);
  EXPECT_EQ(t[4], 1.0f);

  // Uneven chords: 3-4-5 triangle, open.
  Sil tri{{0, 0}, {3, 0}, {3, 4}};
  ASSERT_TRUE(arc_params(tri.n, tri.p, 0, t));
  EXPECT_NEAR(t[1], 3.0 / 7, EPS);

  // All points in one place: no length, nothing to divide by.
  Sil dot{{2, 2}, {2, 2}, {2, 2}, {2, 2}};
  EXPECT_FALSE(arc_params(dot.n, dot.p, 1, t));
  for (int j = 0; j <= dot.n; j++) EXPECT_EQ(t[j], 0.0f);
}

TEST(Revolution, OpenNetSweepsAboutTheYAxis) {
  // 4 points, order 4, open; the second point lies on the axis.
  Sil s{{2, 0}, {0, 1}, {3, 2}, {1.5f, 4}};
  auto rev = std::make_unique<NurbRevolution>();
  ASSERT_TRUE(nurb_build_revolution(4, openknot, s.n, s.p, rev.get()));
  EXPECT_EQ(rev->columns, 4);
  ASSERT_EQ(rev->knot_count, 8);
  for (int k = 0; k < 8; k++) EXPECT_EQ(rev->knots[k], k < 4 ? 0.0f : 1.0f);
  EXPECT_TRUE(rev->textured);

  for (int j = 0; j < s.n; j++) {
    const float x = s.p[j][0], y = s.p[j][1];
    // First and last rows: in the x-y plane, at positive x.
    for (int row : {0, 8}) {
      const float* c = rev->net[row][j];
      EXPECT_NEAR(c[0] / c[3], x, EPS);
      EXPECT_NEAR(c[1] / c[3], y, EPS);
      EXPECT_NEAR(c[2], 0, EPS);
    }
    for (int i = 0; i < 9; i++) {
      const float* c = rev->net[i][j];
      const float px = c[0] / c[3], py = c[1] / c[3], pz = c[2] / c[3];
      EXPECT_NEAR(py, y, EPS) << "height kept in row " << i;
      if (i % 2 == 0) {
        // The curve passes through the even rows: they keep the radius.
        EXPECT_NEAR(std::hypot(px, pz), x, 1e-3) << "row " << i;
      }
      if (x == 0) {
        EXPECT_NEAR(px, 0, EPS);
        EXPECT_NEAR(pz, 0, EPS);
      }
      // The sweep turns from 0 towards -360 degrees: row 2 lies at -90.
      if (i == 2 && x > 0) {
        EXPECT_NEAR(pz, -x, EPS);
      }
      EXPECT_NEAR(rev->tex[i][j][0], i / 8.0f, EPS);
    }
  }
  // Chord-length parameter along the silhouette, the same in every row.
  EXPECT_EQ(rev->tex[0][0][1], 0.0f);
  EXPECT_EQ(rev->tex[5][3][1], 1.0f);
  EXPECT_GT(rev->tex[5][2][1], rev->tex[5][1][1]);
}

TEST(Revolution, PeriodicWrapsColumnsAndKeepsTextureRising) {
  Sil s{{1, 0}, {2, 0}, {2, 2}, {1, 3}, {1, 1}};
  auto rev = std::make_unique<NurbRevolution>();
  ASSERT_TRUE(nurb_build_revolution(4, periodic, s.n, s.p, rev.get()));
  EXPECT_EQ(rev->columns, 8);
  EXPECT_EQ(rev->knot_count, 12);
  for (int i = 0; i < 9; i++)
    for (int w = 0; w < 3; w++)
      for (int c = 0; c < 4; c++) EXPECT_EQ(rev->net[i][5 + w][c], rev->net[i][w][c]);
  float t[NURB_MAX_POINTS + 1];
  arc_params(s.n, s.p, 1, t);
  EXPECT_EQ(rev->tex[3][5][1], 1.0f);
  EXPECT_NEAR(rev->tex[3][6][1], t[1] + 1, EPS);
  EXPECT_NEAR(rev->tex[3][7][1], t[2] + 1, EPS);
  for (int j = 1; j < rev->columns; j++) EXPECT_GT(rev->tex[3][j][1], rev->tex[3][j - 1][1]);
}

TEST(Extrusion, SidesOpenAndPeriodic) {
  Sil s{{0, 0}, {2, 0}, {2, 1}, {1, 2}, {0, 1}};
  auto ext = std::make_unique<NurbExtrusion>();

  ASSERT_TRUE(nurb_build_extrusion(3, openknot, s.n, s.p, ext.get()));
  EXPECT_EQ(ext->columns, 5);
  EXPECT_EQ(ext->knot_count, 8);
  EXPECT_EQ(ext->tex[4][1][0], 1.0f);

  // Periodic order 3: 7 vertex pairs and 10 knots.
  ASSERT_TRUE(nurb_build_extrusion(3, periodic, s.n, s.p, ext.get()));
  EXPECT_EQ(ext->columns, 7);
  EXPECT_EQ(ext->knot_count, 10);
  for (int j = 0; j < ext->columns; j++) {
    const int p = j % s.n;
    for (int k = 0; k < 2; k++) {
      EXPECT_EQ(ext->vert[j][k][0], s.p[p][0]);
      EXPECT_EQ(ext->vert[j][k][1], s.p[p][1]);
      EXPECT_EQ(ext->vert[j][k][2], k ? 5.0f : -5.0f);
      EXPECT_EQ(ext->tex[j][k][1], (float)k);
    }
  }
  // Along the side the texture runs from 0 through 1 at the seam to t_1 + 1.
  float t[NURB_MAX_POINTS + 1];
  arc_params(s.n, s.p, 1, t);
  EXPECT_EQ(ext->tex[0][0][0], 0.0f);
  EXPECT_EQ(ext->tex[5][0][0], 1.0f);
  EXPECT_NEAR(ext->tex[6][1][0], t[1] + 1, EPS);
}

TEST(Cap, OpenCapPatchAndClosedTrimLoop) {
  // The last point stops 0.5 short of the first; the trim loop still closes.
  Sil s{{1, 1}, {5, 1}, {5, 3}, {1, 3}, {1, 1.5f}};
  NurbCap front, back;
  ASSERT_TRUE(nurb_build_cap(3, openknot, s.n, s.p, nurbFRONT, 5.0f, &front));
  ASSERT_TRUE(nurb_build_cap(3, openknot, s.n, s.p, nurbBACK, -5.0f, &back));

  EXPECT_EQ(front.xmin, 1.0f);
  EXPECT_EQ(front.xmax, 5.0f);
  EXPECT_EQ(front.ymin, 1.0f);
  EXPECT_EQ(front.ymax, 3.0f);
  // Corners s-major: (xmin,ymin) (xmin,ymax) (xmax,ymin) (xmax,ymax).
  EXPECT_EQ(front.vert[0][1][1], 3.0f);
  EXPECT_EQ(front.vert[1][0][0], 5.0f);
  EXPECT_EQ(front.vert[1][1][2], 5.0f);
  EXPECT_EQ(back.vert[1][1][2], -5.0f);
  EXPECT_EQ(front.normal[0][1][2], 1.0f);
  EXPECT_EQ(back.normal[1][0][2], -1.0f);
  // Texture mirrored in s on the back only.
  EXPECT_EQ(front.tex[1][0][0], 1.0f);
  EXPECT_EQ(back.tex[1][0][0], 0.0f);
  EXPECT_EQ(back.tex[0][1][0], 1.0f);
  EXPECT_EQ(back.tex[0][1][1], 1.0f);

  ASSERT_EQ(front.trim_count, 5);
  EXPECT_EQ(front.knot_count, front.trim_count + 3);
  EXPECT_EQ(front.trim[4][0], front.trim[0][0]);
  EXPECT_EQ(front.trim[4][1], front.trim[0][1]);
  EXPECT_NEAR(front.trim[1][0], 1.0f, EPS);
  EXPECT_NEAR(front.trim[2][1], 1.0f, EPS);
  EXPECT_NEAR(front.trim[3][0], 0.0f, EPS);
}

// Twice the signed area of a trim loop.
double trim_area(const NurbCap& c, int n) {
  double a = 0;
  for (int j = 0; j < n; j++)
    a += c.trim[j][0] * c.trim[(j + 1) % n][1] - c.trim[(j + 1) % n][0] * c.trim[j][1];
  return a;
}

TEST(Cap, ClockwiseSilhouetteIsTrimmedCounterClockwise) {
  Sil cw{{0, 0}, {0, 2}, {2, 2}, {2, 0}, {0.25f, 0}};
  NurbCap cap;
  ASSERT_TRUE(nurb_build_cap(3, openknot, cw.n, cw.p, nurbFRONT, 5, &cap));
  EXPECT_GT(trim_area(cap, cap.trim_count), 0);
  // Still closed, now from (0,0) through (2,0), (2,2), (0,2) back to (0,0).
  EXPECT_EQ(cap.trim[0][0], 0.0f);
  EXPECT_EQ(cap.trim[4][0], 0.0f);
  EXPECT_EQ(cap.trim[4][1], 0.0f);
  EXPECT_EQ(cap.trim[1][0], 1.0f);
  EXPECT_EQ(cap.trim[1][1], 0.0f);

  ASSERT_TRUE(nurb_build_cap(4, periodic, cw.n, cw.p, nurbBACK, -5, &cap));
  EXPECT_GT(trim_area(cap, cw.n), 0);
  EXPECT_EQ(cap.trim[0][0], 0.0f);     // starts at the first point as before
  EXPECT_EQ(cap.trim[1][0], 0.125f);   // then walks backwards
  for (int w = 0; w < 3; w++) EXPECT_EQ(cap.trim[cw.n + w][1], cap.trim[w][1]);
}

TEST(Cap, PeriodicTrimWrapsTheFirstPoints) {
  Sil s{{0, 0}, {4, 0}, {4, 2}, {2, 4}, {0, 2}};
  NurbCap cap;
  ASSERT_TRUE(nurb_build_cap(4, periodic, s.n, s.p, nurbFRONT, 5.0f, &cap));
  ASSERT_EQ(cap.trim_count, 8);
  ASSERT_EQ(cap.knot_count, 12);
  for (int w = 0; w < 3; w++) {
    EXPECT_EQ(cap.trim[5 + w][0], cap.trim[w][0]);
    EXPECT_EQ(cap.trim[5 + w][1], cap.trim[w][1]);
  }
  EXPECT_NEAR(cap.trim[3][0], 0.5f, EPS);  // (2, 4) in a 4 x 4 box
  EXPECT_NEAR(cap.trim[3][1], 1.0f, EPS);
}

TEST(Builders, RefuseWhatCannotMakeASurface) {
  auto rev = std::make_unique<NurbRevolution>();
  auto ext = std::make_unique<NurbExtrusion>();
  NurbCap cap;
  Sil three{{0, 0}, {1, 0}, {1, 1}};
  EXPECT_FALSE(nurb_build_revolution(4, openknot, three.n, three.p, rev.get()));
  EXPECT_FALSE(nurb_build_extrusion(4, periodic, three.n, three.p, ext.get()));
  EXPECT_FALSE(nurb_build_cap(4, openknot, three.n, three.p, nurbFRONT, 5, &cap));
  EXPECT_TRUE(nurb_build_cap(3, openknot, three.n, three.p, nurbFRONT, 5, &cap));
  EXPECT_FALSE(nurb_build_revolution(2, openknot, three.n, three.p, rev.get()));
  float many[NURB_MAX_POINTS + 1][2] = {};
  EXPECT_FALSE(nurb_build_extrusion(3, openknot, NURB_MAX_POINTS + 1, many, ext.get()));

  // A box without height has no inside: no cap, no division by zero.
  Sil flat{{0, 1}, {2, 1}, {4, 1}, {0, 1}};
  EXPECT_FALSE(nurb_build_cap(3, openknot, flat.n, flat.p, nurbFRONT, 5, &cap));
  // Coincident points: still a surface, but without texture coordinates.
  Sil dot{{1, 1}, {1, 1}, {1, 1}, {1, 1}};
  ASSERT_TRUE(nurb_build_extrusion(4, periodic, dot.n, dot.p, ext.get()));
  EXPECT_FALSE(ext->textured);
  for (int j = 0; j < ext->columns; j++) EXPECT_TRUE(std::isfinite(ext->tex[j][1][0]));
}

TEST(Builders, LargestSilhouetteFits) {
  float pts[NURB_MAX_POINTS][2];
  for (int i = 0; i < NURB_MAX_POINTS; i++) {
    double a = 2 * M_PI * i / NURB_MAX_POINTS;
    pts[i][0] = (float)(3 + std::cos(a));
    pts[i][1] = (float)(3 + std::sin(a));
  }
  auto rev = std::make_unique<NurbRevolution>();
  auto ext = std::make_unique<NurbExtrusion>();
  NurbCap cap;
  ASSERT_TRUE(nurb_build_revolution(4, periodic, NURB_MAX_POINTS, pts, rev.get()));
  EXPECT_EQ(rev->columns, NURB_MAX_CONTROL);
  EXPECT_EQ(rev->knot_count, NURB_MAX_KNOTS);
  ASSERT_TRUE(nurb_build_extrusion(4, periodic, NURB_MAX_POINTS, pts, ext.get()));
  EXPECT_EQ(ext->columns, NURB_MAX_CONTROL);
  ASSERT_TRUE(nurb_build_cap(4, periodic, NURB_MAX_POINTS, pts, nurbBACK, -5, &cap));
  EXPECT_EQ(cap.trim_count, NURB_MAX_CONTROL);
  EXPECT_EQ(cap.knot_count, NURB_MAX_KNOTS);
  for (int j = 0; j < cap.trim_count; j++) {
    EXPECT_GE(cap.trim[j][0], 0.0f);
    EXPECT_LE(cap.trim[j][0], 1.0f);
  }
}

}  // namespace
