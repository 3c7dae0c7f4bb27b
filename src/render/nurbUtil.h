/* NURBS surfaces of revolution and extrusion with trimmed caps.
   Shared by the modeller and by the C programs it exports: plain C.
   An exported program is built with
     cc scene.c nurbUtil.c -I<dir of this header> -lglut -lGLU -lGL -lm */
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

/* Each draws at once under the current matrix, colour and material. A
   silhouette with fewer points than the order, or more than 80, draws nothing. */
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
#define NURB_CIRCLE_POINTS 9
#define NURB_ANGULAR_KNOTS 12
#define NURB_DEPTH_KNOTS 4
#define NURB_EXTRUSION_HALF_DEPTH 5.0f

/* Nine-point rational circle, (a, b, w) with a and b already times w. */
extern const float CircleTable[9][3];
/* Knots of that circle (order 3, running 0..1) and of a linear direction. */
extern const float AngularKnots[NURB_ANGULAR_KNOTS];
extern const float DepthKnots[NURB_DEPTH_KNOTS];

/* A silhouette closes when end_gap of its first and last point is below this. */
static const float closed_gap = 0.6f;
/* |x2 - x1| + |y2 - y1|: how far apart a silhouette's ends are. */
float end_gap(float x1, float y1, float x2, float y2);

/* A silhouette as the geometry code takes it: a NURBS curve whose control
   points are pts[0 .. count - 1]. */
typedef struct Silhouette {
  int order;                     /* 3 (quadratic) or 4 (cubic) */
  int knot_type;                 /* openknot or periodic */
  int count;                     /* points in use: a count, never a last index */
  float pts[NURB_MAX_POINTS][2]; /* x, y */
} Silhouette;

/* Why a silhouette makes no curve or surface. */
typedef enum NurbStatus {
  NURB_OK = 0,
  NURB_TOO_FEW_POINTS,  /* fewer points than the order */
  NURB_TOO_MANY_POINTS, /* more than NURB_MAX_POINTS */
  NURB_BAD_ORDER,       /* neither 3 nor 4 */
  NURB_BAD_KNOT_TYPE,   /* neither open nor periodic */
  NURB_NO_AREA          /* a cap whose outline has no width or no height */
} NurbStatus;

/* A silhouette of count points copied from pts (at most NURB_MAX_POINTS of
   them are copied; a larger count is kept, and refused by nurb_check). */
Silhouette nurb_silhouette(int order, int knot_type, int count, const float pts[][2]);
NurbStatus nurb_check(const Silhouette* s);
/* Control points of the curve: the points, and for a periodic one the first
   order - 1 again. */
int nurb_control_count(const Silhouette* s);

/* Knot vector: count + order knots (open) or count + 2 order - 1 (periodic).
   Writes nothing, not even the knot count, for a silhouette nurb_check refuses. */
NurbStatus make_knots(const Silhouette* s, int* knot_count, float* knots);
/* Control list, 3 floats (x, y, 0) a point; returns the points written
   (nurb_control_count, or 0 for a silhouette nurb_check refuses). */
int control_points(const Silhouette* s, float* out);

/* Chord-length parameters of the polygon: t[0] = 0 up to t[count - 1] = 1,
   or for a periodic silhouette t[count] = 1 after the chord back to the first
   point. Returns 0 (and zeros in t) when the polygon has no length. */
int arc_params(const Silhouette* s, float* t);

/* --- Builders: the arrays each routine hands to GLU, computed without GL.
   Each returns NURB_OK when there is something to draw, otherwise why not. */

/* Surface of revolution about y: rows follow the circle, columns the
   silhouette; homogeneous control points. */
typedef struct NurbRevolution {
  int order;                                          /* along the silhouette */
  int columns;                                        /* control points per row */
  int knot_count;                                     /* silhouette knots */
  float knots[NURB_MAX_KNOTS];                        /* silhouette knots */
  int textured;                                       /* 0: no length, no texture */
  float net[NURB_CIRCLE_POINTS][NURB_MAX_CONTROL][4]; /* (x a, y w, x b, w) */
  float tex[NURB_CIRCLE_POINTS][NURB_MAX_CONTROL][2]; /* (row / 8, chord t) */
} NurbRevolution;
NurbStatus nurb_build_revolution(const Silhouette* s, NurbRevolution* out);

/* Side surface of an extrusion: a pair of vertices (z -5, z +5) per control point. */
typedef struct NurbExtrusion {
  int order;                          /* along the silhouette */
  int columns;                        /* vertex pairs */
  int knot_count;                     /* silhouette knots */
  float knots[NURB_MAX_KNOTS];        /* silhouette knots */
  int textured;                       /* 0: no length, no texture */
  float vert[NURB_MAX_CONTROL][2][3]; /* back and front vertex of each point */
  float tex[NURB_MAX_CONTROL][2][2];  /* (chord t, 0) and (chord t, 1) */
} NurbExtrusion;
NurbStatus nurb_build_extrusion(const Silhouette* s, NurbExtrusion* out);

/* Flat cap: one bilinear patch over the bounding box, trimmed by the silhouette. */
typedef struct NurbCap {
  int order;                       /* of the trim curve */
  int side;                        /* nurbFRONT or nurbBACK */
  float xmin, xmax, ymin, ymax;    /* bounding box of the silhouette */
  float vert[2][2][3];             /* patch corners, s along x, t along y */
  float normal[2][2][3];           /* (0, 0, +1) front, (0, 0, -1) back */
  float tex[2][2][2];              /* mirrored in s for the back */
  int trim_count;                  /* trim control points */
  float trim[NURB_MAX_CONTROL][2]; /* silhouette in the patch's unit square */
  int knot_count;                  /* trim knots */
  float knots[NURB_MAX_KNOTS];     /* trim knots */
} NurbCap;
NurbStatus nurb_build_cap(const Silhouette* s, int side, float depth, NurbCap* out);

/* The GLU half: hand built arrays to a fresh NURBS renderer. */
void nurb_draw_revolution(const NurbRevolution* rev);
void nurb_draw_extrusion(const NurbExtrusion* ext);
void nurb_draw_cap(const NurbCap* cap);

/* The same in pieces, for a renderer the caller owns (the modeller captures
   GLU's tessellation through callbacks this way). nurb_sampling sets the
   properties every surface is drawn with; the surface calls run
   gluBeginSurface .. gluEndSurface with the built arrays. */
struct GLUnurbs;
void nurb_sampling(struct GLUnurbs* nurb);
void nurb_surface_revolution(struct GLUnurbs* nurb, const NurbRevolution* rev);
void nurb_surface_extrusion(struct GLUnurbs* nurb, const NurbExtrusion* ext);
void nurb_surface_cap(struct GLUnurbs* nurb, const NurbCap* cap);

/* GL state the surfaces are drawn under. Revolutions and extrusion sides
   leave GL_AUTO_NORMAL and GL_NORMALIZE on; a cap brings its own normals
   (GL_AUTO_NORMAL off), and a back cap is drawn with a clockwise front face
   that nurb_cap_done turns back to counter-clockwise. */
void nurb_sides_state(void);
void nurb_cap_state(int side);
void nurb_cap_done(void);

/* A cube of the given edge, centred on the origin, with texture coordinates
   on every face. */
void texCube(float edge);

#ifdef __cplusplus
}
#endif

#endif
