/* Placeholder bodies; the geometry work replaces them. */
#include "nurbUtil.h"

int res = 10;

void nurbSurfRevOpen(int order, int n, float pts[][2]) { (void)order; (void)n; (void)pts; }
void nurbSolidSurfRevPeriodic(int order, int n, float pts[][2]) { (void)order; (void)n; (void)pts; }
void nurbExtSidesOpen(int order, int n, float pts[][2]) { (void)order; (void)n; (void)pts; }
void nurbExtSidesPeriodic(int order, int n, float pts[][2]) { (void)order; (void)n; (void)pts; }
void nurbCapOpen(int order, int n, float pts[][2], int side, float depth) {
  (void)order; (void)n; (void)pts; (void)side; (void)depth;
}
void nurbCapPeriodic(int order, int n, float pts[][2], int side, float depth) {
  (void)order; (void)n; (void)pts; (void)side; (void)depth;
}
void texCube(float edge) { (void)edge; }

const float CircleTable[9][3] = {{1, 0, 1}, {0.707f, 0.707f, 0.707f}, {0, 1, 1},
                                 {-0.707f, 0.707f, 0.707f}, {-1, 0, 1}, {-0.707f, -0.707f, 0.707f},
                                 {0, -1, 1}, {0.707f, -0.707f, 0.707f}, {1, 0, 1}};
void make_knots(int order, int knot_type, int n, int* count, float* knots) {
  int i, c = 0;
  if (order != 3 && order != 4) return;
  if (knot_type != openknot && knot_type != periodic) return;
  if (n < order || n > NURB_MAX_POINTS) return;
  if (knot_type == openknot) {
    /* Clamped: order zeros, unit steps, order copies of the last value. */
    for (i = 0; i < order; i++) knots[c++] = 0.0f;
    for (i = 1; i <= n - order; i++) knots[c++] = (float)i;
    for (i = 0; i < order; i++) knots[c++] = (float)(n - order + 1);
  } else {
    /* Uniform and unclamped over n + order - 1 wrapped control points. */
    for (i = 0; i < n + 2 * order - 1; i++) knots[c++] = (float)i;
  }
  *count = c;
}

void open_control_points(int order, int last, float pts[][2], float* out) {
  int i;
  (void)order;
  if (last < 0 || last >= NURB_MAX_POINTS) return;
  for (i = 0; i <= last; i++) {
    out[3 * i] = pts[i][0];
    out[3 * i + 1] = pts[i][1];
    out[3 * i + 2] = 0.0f;
  }
}

void periodic_control_points(int order, int last, float pts[][2], float* out) {
  int i, n = last + 1;
  if (last < 0 || last >= NURB_MAX_POINTS) return;
  open_control_points(order, last, pts, out);
  if (order != 3 && order != 4) return;
  /* The first order - 1 points again close the curve; a list shorter than
     that wraps round it rather than reading past its end. */
  for (i = 0; i < order - 1; i++) {
    out[3 * (n + i)] = pts[i % n][0];
    out[3 * (n + i) + 1] = pts[i % n][1];
    out[3 * (n + i) + 2] = 0.0f;
  }
}
