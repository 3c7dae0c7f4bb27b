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

/* A cube of the given edge with texture coordinates on every face. */
void texCube(float edge);

#ifdef __cplusplus
}
#endif

#endif
