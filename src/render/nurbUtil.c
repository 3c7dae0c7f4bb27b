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
  (void)order; (void)knot_type; (void)n; (void)count; (void)knots;
}
void open_control_points(int order, int last, float pts[][2], float* out) {
  (void)order; (void)last; (void)pts; (void)out;
}
void periodic_control_points(int order, int last, float pts[][2], float* out) {
  (void)order; (void)last; (void)pts; (void)out;
}
