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
