// Knot vectors, control lists, and the nets, texture coordinates and trim loops handed to GLU.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "nurbUtil.h"

using V = std::vector<float>;

static float none[NURB_MAX_POINTS][2];

static V knots_of(int order, int type, int n, float pts[][2] = none) {
  float k[NURB_MAX_KNOTS + 8];
  int count = -1;
  const Silhouette s = nurb_silhouette(order, type, n, pts);
  make_knots(&s, &count, k);
  return V(k, k + std::max(count, 0));
}

// What the control list routine writes, up to the first float left unwritten.
static V control_list(int order, int type, int n, float pts[][2]) {
  V out(3 * NURB_MAX_CONTROL + 3, -1.0f);
  const Silhouette s = nurb_silhouette(order, type, n, pts);
  EXPECT_EQ(control_points(&s, &out[0]), nurb_control_count(&s));
  return V(out.begin(), std::find(out.begin(), out.end(), -1.0f));
}

// A silhouette of the given points.
static Silhouette sil(int order, int type, std::initializer_list<std::pair<float, float>> pts) {
  Silhouette s = nurb_silhouette(order, type, 0, nullptr);
  for (auto& p : pts) s.pts[s.count][0] = p.first, s.pts[s.count++][1] = p.second;
  return s;
}

TEST(Knots, WorkedExamplesRefusalsAndTheControlLists) {
  EXPECT_EQ(knots_of(3, openknot, 5), (V{0, 0, 0, 1, 2, 3, 3, 3}));
  EXPECT_EQ(knots_of(4, openknot, 6), (V{0, 0, 0, 0, 1, 2, 3, 3, 3, 3}));
  EXPECT_EQ(knots_of(4, openknot, 4), (V{0, 0, 0, 0, 1, 1, 1, 1}));
  EXPECT_EQ(knots_of(4, openknot, 5), (V{0, 0, 0, 0, 1, 2, 2, 2, 2}));
  EXPECT_EQ(knots_of(3, periodic, 5), (V{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(knots_of(4, periodic, 5), (V{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
  // Bad order or type, fewer points than the order, more than the table:
  // nothing written, and the reason told.
  const std::pair<Silhouette, NurbStatus> refused[] = {
      {nurb_silhouette(2, openknot, 5, none), NURB_BAD_ORDER},
      {nurb_silhouette(5, periodic, 5, none), NURB_BAD_ORDER},
      {nurb_silhouette(3, 2, 5, none), NURB_BAD_KNOT_TYPE},
      {nurb_silhouette(4, periodic, 3, none), NURB_TOO_FEW_POINTS},
      {nurb_silhouette(3, openknot, -1, none), NURB_TOO_FEW_POINTS},
      {nurb_silhouette(3, openknot, NURB_MAX_POINTS + 1, none), NURB_TOO_MANY_POINTS}};
  for (const auto& r : refused) {
    float k[NURB_MAX_KNOTS];
    int count = -1;
    EXPECT_EQ(make_knots(&r.first, &count, k), r.second) << "order " << r.first.order;
    EXPECT_EQ(count, -1) << "order " << r.first.order << " count " << r.first.count;
  }
  EXPECT_EQ(nurb_check(&refused[5].first), NURB_TOO_MANY_POINTS);

  // Over every order, type and size: the knots never decrease and number the
  // control points plus the order; a periodic list repeats the first order - 1 points.
  float pts[NURB_MAX_POINTS][2];
  for (int i = 0; i < NURB_MAX_POINTS; i++) pts[i][0] = (float)i, pts[i][1] = 0.5f * i;
  for (int order = 3; order <= 4; order++)
    for (int type = openknot; type <= periodic; type++)
      for (int n = order; n <= NURB_MAX_POINTS; n++) {
        const V k = knots_of(order, type, n), list = control_list(order, type, n, pts);
        ASSERT_EQ(k.size(), list.size() / 3 + order) << order << " " << type << " " << n;
        ASSERT_TRUE(std::is_sorted(k.begin(), k.end()));
        for (size_t c = 0; c < list.size() / 3; c++)
          ASSERT_EQ(V(&list[3 * c], &list[3 * c] + 3), (V{pts[c % n][0], pts[c % n][1], 0}));
      }
}

TEST(Revolution, OpenNetSweepsAboutTheYAxis) {
  float s[][2] = {{2, 0}, {0, 1}, {3, 2}, {1.5f, 4}};  // the second point lies on the axis
  NurbRevolution rev;
  const Silhouette vase = nurb_silhouette(4, openknot, 4, s);
  ASSERT_EQ(nurb_build_revolution(&vase, &rev), NURB_OK);
  EXPECT_EQ(V(rev.knots, rev.knots + rev.knot_count), (V{0, 0, 0, 0, 1, 1, 1, 1}));
  for (int j = 0; j < 4; j++)
    for (int i = 0; i < 9; i++) {
      const float* c = rev.net[i][j];
      const float x = c[0] / c[3], z = c[2] / c[3], r = s[j][0];
      EXPECT_NEAR(c[1] / c[3], s[j][1], 1e-4);
      // Row i points at -45 i degrees, through the curve on the even rows.
      const double t = -M_PI / 4 * i, rho = i % 2 ? r * M_SQRT2 : r;
      EXPECT_NEAR(x, rho * std::cos(t), 1e-3) << i << " " << j;
      EXPECT_NEAR(z, rho * std::sin(t), 1e-3) << i << " " << j;
      EXPECT_NEAR(rev.tex[i][j][0], i / 8.0f, 1e-4);
    }
  EXPECT_EQ(rev.tex[7][0][1], 0.0f);
  EXPECT_EQ(rev.tex[5][3][1], 1.0f);
}

TEST(ChordLengths, OpenClosedAndThroughThePeriodicSeam) {
  float t[6];
  Silhouette sq = sil(3, openknot, {{0, 0}, {1, 0}, {1, 1}, {0, 1}});
  ASSERT_TRUE(arc_params(&sq, t));
  EXPECT_NEAR(t[1], 1.0 / 3, 1e-4);
  EXPECT_EQ(t[3], 1.0f);  // exactly, not a rounded sum
  sq.knot_type = periodic;
  ASSERT_TRUE(arc_params(&sq, t));  // with the closing chord
  EXPECT_NEAR(t[3], 0.75, 1e-4);
  EXPECT_EQ(t[4], 1.0f);

  const Silhouette s = sil(3, periodic, {{0, 0}, {2, 0}, {2, 1}, {1, 2}, {0, 1}});
  NurbExtrusion ext;
  ASSERT_EQ(nurb_build_extrusion(&s, &ext), NURB_OK);
  EXPECT_EQ(ext.columns, 7);
  EXPECT_EQ(ext.knot_count, 10);
  EXPECT_EQ(ext.vert[6][1][0], s.pts[1][0]);  // the second point again
  arc_params(&s, t);
  EXPECT_EQ(ext.tex[0][1][0], 0.0f);
  EXPECT_EQ(ext.tex[5][0][0], 1.0f);
  EXPECT_NEAR(ext.tex[6][1][0], t[1] + 1, 1e-4);
  EXPECT_EQ(ext.tex[6][1][1], 1.0f);
}

TEST(Cap, PatchAndClosedTrimLoops) {
  // Open: the last point stops 0.5 short of the first; the loop still closes.
  const Silhouette s = sil(3, openknot, {{1, 1}, {5, 1}, {5, 3}, {1, 3}, {1, 1.5f}});
  NurbCap front, back;
  ASSERT_EQ(nurb_build_cap(&s, nurbFRONT, 5.0f, &front), NURB_OK);
  ASSERT_EQ(nurb_build_cap(&s, nurbBACK, -5.0f, &back), NURB_OK);
  EXPECT_EQ(front.tex[1][0][0], 1.0f);  // mirrored in s at the back
  EXPECT_EQ(back.tex[1][0][0], 0.0f);
  ASSERT_EQ(front.trim_count, 5);
  EXPECT_EQ(front.knot_count, 8);
  EXPECT_EQ(front.trim[4][1], front.trim[0][1]);
  EXPECT_NEAR(front.trim[2][0], 1.0f, 1e-4);

  // Periodic: the first order - 1 points again, periodic knots.
  const Silhouette p = sil(4, periodic, {{0, 0}, {4, 0}, {4, 2}, {2, 4}, {0, 2}});
  ASSERT_EQ(nurb_build_cap(&p, nurbFRONT, 5.0f, &front), NURB_OK);
  ASSERT_EQ(front.trim_count, 8);
  ASSERT_EQ(front.knot_count, 12);
  EXPECT_NEAR(front.trim[3][0], 0.5f, 1e-4);
  for (int w = 0; w < 3; w++) EXPECT_EQ(front.trim[5 + w][0], front.trim[w][0]);
}

TEST(Builders, RefuseWhatCannotMakeASurfaceAndHoldTheLargest) {
  NurbRevolution rev;
  NurbExtrusion ext;
  NurbCap cap;
  const Silhouette three = sil(4, openknot, {{0, 0}, {1, 0}, {1, 1}});
  EXPECT_EQ(nurb_build_revolution(&three, &rev), NURB_TOO_FEW_POINTS);
  EXPECT_EQ(nurb_build_extrusion(&three, &ext), NURB_TOO_FEW_POINTS);
  EXPECT_EQ(nurb_build_cap(&three, nurbFRONT, 5, &cap), NURB_TOO_FEW_POINTS);
  const Silhouette bad = sil(5, openknot, {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}});
  EXPECT_EQ(nurb_build_revolution(&bad, &rev), NURB_BAD_ORDER);
  const Silhouette flat = sil(3, openknot, {{0, 1}, {2, 1}, {4, 1}, {0, 1}});  // no height
  EXPECT_EQ(nurb_build_cap(&flat, nurbFRONT, 5, &cap), NURB_NO_AREA);
  const Silhouette thin = sil(3, openknot, {{1, 0}, {1, 2}, {1, 4}, {1, 0}});  // no width
  EXPECT_EQ(nurb_build_cap(&thin, nurbFRONT, 5, &cap), NURB_NO_AREA);
  const Silhouette dot = sil(4, periodic, {{1, 1}, {1, 1}, {1, 1}, {1, 1}});  // no texture
  ASSERT_EQ(nurb_build_extrusion(&dot, &ext), NURB_OK);
  EXPECT_FALSE(ext.textured);

  Silhouette pts = nurb_silhouette(4, periodic, NURB_MAX_POINTS, none);
  for (int i = 0; i < NURB_MAX_POINTS; i++) pts.pts[i][0] = 1.0f + i % 2, pts.pts[i][1] = (float)i;
  ASSERT_EQ(nurb_build_revolution(&pts, &rev), NURB_OK);
  EXPECT_EQ(rev.columns, NURB_MAX_CONTROL);
  EXPECT_EQ(rev.knot_count, NURB_MAX_KNOTS);
  ASSERT_EQ(nurb_build_cap(&pts, nurbBACK, -5, &cap), NURB_OK);
  EXPECT_EQ(cap.trim_count, NURB_MAX_CONTROL);
  EXPECT_EQ(cap.knot_count, NURB_MAX_KNOTS);
}
