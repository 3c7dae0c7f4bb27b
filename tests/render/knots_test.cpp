// Knot vectors and control point lists of silhouettes.
#include <gtest/gtest.h>

#include <vector>

#include "nurbUtil.h"

namespace {

std::vector<float> knots_of(int order, int type, int n) {
  float k[NURB_MAX_KNOTS + 8];
  int count = -1;
  make_knots(order, type, n, &count, k);
  if (count < 0) return {};
  return std::vector<float>(k, k + count);
}

TEST(Knots, WorkedExamples) {
  EXPECT_EQ(knots_of(3, openknot, 5), (std::vector<float>{0, 0, 0, 1, 2, 3, 3, 3}));
  EXPECT_EQ(knots_of(4, openknot, 6), (std::vector<float>{0, 0, 0, 0, 1, 2, 3, 3, 3, 3}));
  EXPECT_EQ(knots_of(4, openknot, 4), (std::vector<float>{0, 0, 0, 0, 1, 1, 1, 1}));
  EXPECT_EQ(knots_of(4, openknot, 5), (std::vector<float>{0, 0, 0, 0, 1, 2, 2, 2, 2}));
  EXPECT_EQ(knots_of(3, periodic, 5), (std::vector<float>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(knots_of(4, periodic, 5),
            (std::vector<float>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
}

// Knot count = control points + order, and knots never decrease, for every
// order, type and size the tables allow.
TEST(Knots, CountMatchesControlPointsAndNeverDecreases) {
  for (int order = 3; order <= 4; order++)
    for (int type = openknot; type <= periodic; type++)
      for (int n = order; n <= NURB_MAX_POINTS; n++) {
        std::vector<float> k = knots_of(order, type, n);
        int control = type == periodic ? n + order - 1 : n;
        ASSERT_EQ((int)k.size(), control + order) << order << " " << type << " " << n;
        ASSERT_LE((int)k.size(), NURB_MAX_KNOTS);
        for (size_t i = 1; i < k.size(); i++) ASSERT_LE(k[i - 1], k[i]);
        if (type == openknot) {
          // Clamped at both ends: the curve meets the first and last point.
          for (int i = 0; i < order; i++) {
            EXPECT_EQ(k[i], 0.0f);
            EXPECT_EQ(k[k.size() - 1 - i], k.back());
          }
        }
      }
}

TEST(Knots, RefusesBadInputWithoutWriting) {
  float k[4] = {7, 7, 7, 7};
  int count = -1;
  make_knots(2, openknot, 5, &count, k);
  make_knots(5, periodic, 5, &count, k);
  make_knots(3, 2, 5, &count, k);
  make_knots(4, openknot, 3, &count, k);             // fewer points than the order
  make_knots(3, periodic, NURB_MAX_POINTS + 1, &count, k);  // more than the table holds
  EXPECT_EQ(count, -1);
  EXPECT_EQ(k[0], 7.0f);
}

TEST(ControlPoints, OpenAndPeriodicLists) {
  float pts[5][2] = {{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 10}};
  float out[3 * 8];
  for (float& v : out) v = -1;
  open_control_points(4, 4, pts, out);
  for (int i = 0; i < 5; i++) {
    EXPECT_EQ(out[3 * i], pts[i][0]);
    EXPECT_EQ(out[3 * i + 1], pts[i][1]);
    EXPECT_EQ(out[3 * i + 2], 0.0f);
  }
  EXPECT_EQ(out[15], -1.0f);  // nothing past the last point

  periodic_control_points(3, 4, pts, out);  // P0..P4 P0 P1
  EXPECT_EQ(out[15], 1.0f);
  EXPECT_EQ(out[19], 4.0f);
  EXPECT_EQ(out[21], -1.0f);
  periodic_control_points(4, 4, pts, out);  // P0..P4 P0 P1 P2
  EXPECT_EQ(out[21], 5.0f);
  EXPECT_EQ(out[22], 6.0f);
  EXPECT_EQ(out[23], 0.0f);

  // 80 points, order 4: 83 control points, all held.
  float many[NURB_MAX_POINTS][2];
  for (int i = 0; i < NURB_MAX_POINTS; i++) many[i][0] = many[i][1] = (float)i;
  float big[3 * NURB_MAX_CONTROL];
  periodic_control_points(4, NURB_MAX_POINTS - 1, many, big);
  EXPECT_EQ(big[3 * 82], 2.0f);
}

}  // namespace
