// Knot vectors and control point lists of silhouettes.
#include <gtest/gtest.h>

#include <vector>

#include "nurbUtil.h"

namespace {

std::vector<float> knots_of(int order, int type, int n) {
  float k[NURB_MAX_KNOTS + 8];
  int count = -1;
  make_knots(order, type, n, &count, k);
  return count < 0 ? std::vector<float>{} : std::vector<float>(k, k + count);
}

TEST(Knots, WorkedExamplesAndRefusals) {
  using V = std::vector<float>;
  EXPECT_EQ(knots_of(3, openknot, 5), (V{0, 0, 0, 1, 2, 3, 3, 3}));
  EXPECT_EQ(knots_of(4, openknot, 6), (V{0, 0, 0, 0, 1, 2, 3, 3, 3, 3}));
  EXPECT_EQ(knots_of(4, openknot, 4), (V{0, 0, 0, 0, 1, 1, 1, 1}));
  EXPECT_EQ(knots_of(4, openknot, 5), (V{0, 0, 0, 0, 1, 2, 2, 2, 2}));
  EXPECT_EQ(knots_of(3, periodic, 5), (V{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(knots_of(4, periodic, 5), (V{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
  // Bad order or type, fewer points than the order, more than the table: nothing written.
  EXPECT_EQ(knots_of(2, openknot, 5), V{});
  EXPECT_EQ(knots_of(3, 2, 5), V{});
  EXPECT_EQ(knots_of(4, openknot, 3), V{});
  EXPECT_EQ(knots_of(3, periodic, NURB_MAX_POINTS + 1), V{});
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
        for (size_t i = 1; i < k.size(); i++) ASSERT_LE(k[i - 1], k[i]);
      }
}

TEST(ControlPoints, OpenAndPeriodicLists) {
  float pts[5][2] = {{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 10}};
  float out[3 * 8];
  for (float& v : out) v = -1;
  open_control_points(4, 4, pts, out);
  EXPECT_EQ(out[12], 9.0f);
  EXPECT_EQ(out[14], 0.0f);
  EXPECT_EQ(out[15], -1.0f);                // nothing past the last point
  periodic_control_points(3, 4, pts, out);  // P0..P4 P0 P1
  EXPECT_EQ(out[19], 4.0f);
  EXPECT_EQ(out[21], -1.0f);
  periodic_control_points(4, 4, pts, out);  // P0..P4 P0 P1 P2
  EXPECT_EQ(out[21], 5.0f);
  EXPECT_EQ(out[23], 0.0f);
}

}  // namespace
