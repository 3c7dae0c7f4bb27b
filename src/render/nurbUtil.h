/* NURBS surfaces of revolution and extrusion with trimmed caps.
   Shared by the modeller and by the C programs it exports: plain C. */
#ifndef NURBUTIL_H
#define NURBUTIL_H

#ifdef __cplusplus
extern "C" {
#endif

/* Sampling density: GLU_U_STEP / GLU_V_STEP of every surface and curve. */
extern int res;

enum knottype { openknot = 0, periodic = 1 };

#define nurbFRONT 0
#define nurbBACK 1

void nurbSurfRevOpen(int order, int n, float pts[][2]);
void nurbSolidSurfRevPeriodic(int order, int n, float pts[][2]);
void nurbExtSidesOpen(int order, int n, float pts[][2]);
void nurbExtSidesPeriodic(int order, int n, float pts[][2]);
void nurbCapOpen(int order, int n, float pts[][2], int side, float depth);
void nurbCapPeriodic(int order, int n, float pts[][2], int side, float depth);

/* Working storage: 80 points, up to 3 wrapped, 80 + 7 knots. */
#define NURB_MAX_POINTS 80
#define NURB_MAX_CONTROL 83
#define NURB_MAX_KNOTS 87

/* Nine-point rational circle, (a, b, w) with a and b already times w. */
extern const float CircleTable[9][3];

/* Knot vector of n silhouette points: n + order knots (open) or
   n + 2 order - 1 (periodic). Writes nothing, not even the count, for an
   order other than 3 or 4, a bad type, or n outside order..80. */
void make_knots(int order, int knot_type, int n, int* count, float* knots);
/* Control lists, 3 floats (x, y, 0) a point, of the points 0..last. */
void open_control_points(int order, int last, float pts[][2], float* out);
void periodic_control_points(int order, int last, float pts[][2], float* out);

/* A cube of the given edge with texture coordinates on every face. */
void texCube(float edge);

#ifdef __cplusplus
}
#endif

#endif
