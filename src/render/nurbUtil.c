/* NURBS surfaces of revolution and extrusion with trimmed caps, in plain C.
   The modeller draws with these very routines, and exported programs compile
   this file alongside their own source. Each routine first builds its knots,
   control net, texture coordinates and trim loop as plain arrays (no GL),
   then hands them to a GLU NURBS renderer. */
#include "nurbUtil.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <math.h>
#include <string.h>

int res = 10;

const float CircleTable[9][3] = {
    {1, 0, 1},  {0.707f, 0.707f, 0.707f},   {0, 1, 1},  {-0.707f, 0.707f, 0.707f},
    {-1, 0, 1}, {-0.707f, -0.707f, 0.707f}, {0, -1, 1}, {0.707f, -0.707f, 0.707f},
    {1, 0, 1}};
const float AngularKnots[NURB_ANGULAR_KNOTS] = {0,    0,     0,     0.25f, 0.25f, 0.5f,
                                                0.5f, 0.75f, 0.75f, 1,     1,     1};
const float DepthKnots[NURB_DEPTH_KNOTS] = {0, 0, 1, 1};

/* ---- Silhouettes, knot vectors and control lists ---------------------- */

float end_gap(float x1, float y1, float x2, float y2) { return fabsf(x2 - x1) + fabsf(y2 - y1); }

Silhouette nurb_silhouette(int order, int knot_type, int count, const float pts[][2]) {
  Silhouette s;
  int i, copied = count < 0 ? 0 : (count > NURB_MAX_POINTS ? NURB_MAX_POINTS : count);
  memset(&s, 0, sizeof s);
  s.order = order;
  s.knot_type = knot_type;
  s.count = count;
  for (i = 0; i < copied; i++) {
    s.pts[i][0] = pts[i][0];
    s.pts[i][1] = pts[i][1];
  }
  return s;
}

NurbStatus nurb_check(const Silhouette* s) {
  if (s->order != 3 && s->order != 4) return NURB_BAD_ORDER;
  if (s->knot_type != openknot && s->knot_type != periodic) return NURB_BAD_KNOT_TYPE;
  if (s->count > NURB_MAX_POINTS) return NURB_TOO_MANY_POINTS;
  if (s->count < s->order) return NURB_TOO_FEW_POINTS;
  return NURB_OK;
}

int nurb_control_count(const Silhouette* s) {
  return s->knot_type == periodic ? s->count + s->order - 1 : s->count;
}

NurbStatus make_knots(const Silhouette* s, int* knot_count, float* knots) {
  int i, c = 0, n = s->count, order = s->order;
  NurbStatus status = nurb_check(s);
  if (status != NURB_OK) return status;
  if (s->knot_type == openknot) {
    /* Clamped: order zeros, unit steps, order copies of the last value. */
    for (i = 0; i < order; i++) knots[c++] = 0.0f;
    for (i = 1; i <= n - order; i++) knots[c++] = (float)i;
    for (i = 0; i < order; i++) knots[c++] = (float)(n - order + 1);
  } else {
    /* Uniform and unclamped over n + order - 1 wrapped control points. */
    for (i = 0; i < n + 2 * order - 1; i++) knots[c++] = (float)i;
  }
  *knot_count = c;
  return NURB_OK;
}

/* Control column j of a silhouette of n points: the points, then for a
   periodic one the first order - 1 again. */
static int source_point(int j, int n) { return j < n ? j : j - n; }

int control_points(const Silhouette* s, float* out) {
  int j, count;
  if (nurb_check(s) != NURB_OK) return 0;
  count = nurb_control_count(s);
  for (j = 0; j < count; j++) {
    const float* p = s->pts[source_point(j, s->count)];
    out[3 * j] = p[0];
    out[3 * j + 1] = p[1];
    out[3 * j + 2] = 0.0f;
  }
  return count;
}

static double chord(const float a[2], const float b[2]) {
  double dx = (double)b[0] - a[0], dy = (double)b[1] - a[1];
  return sqrt(dx * dx + dy * dy);
}

int arc_params(const Silhouette* s, float* t) {
  double total = 0.0, run = 0.0;
  int j, n = s->count, closed = s->knot_type == periodic;
  if (n < 1 || n > NURB_MAX_POINTS) return 0;
  for (j = 1; j < n; j++) total += chord(s->pts[j - 1], s->pts[j]);
  if (closed) total += chord(s->pts[n - 1], s->pts[0]);
  if (!(total > 0.0)) {
    for (j = 0; j < n + (closed ? 1 : 0); j++) t[j] = 0.0f;
    return 0;
  }
  t[0] = 0.0f;
  for (j = 1; j < n; j++) {
    run += chord(s->pts[j - 1], s->pts[j]);
    t[j] = (float)(run / total);
  }
  /* The end of the range is exactly 1, not a rounded sum. */
  if (closed)
    t[n] = 1.0f;
  else
    t[n - 1] = 1.0f;
  return 1;
}

/* ---- Builders ------------------------------------------------------------ */

/* Chord parameter of column j: past the seam it keeps rising, t_p + 1. */
static float column_param(const float* t, int j, int n) { return j < n ? t[j] : t[j - n] + 1.0f; }

/* What both swept surfaces take along the silhouette, once it is checked:
   its order, control column count and knots, and each column's chord
   parameter (0 without texture). */
static NurbStatus silhouette_columns(const Silhouette* s, int* order, int* columns,
                                     int* knot_count, float* knots, int* textured, float* tcol) {
  float t[NURB_MAX_POINTS + 1];
  int j;
  NurbStatus status = nurb_check(s);
  if (status != NURB_OK) return status;
  *order = s->order;
  *columns = nurb_control_count(s);
  make_knots(s, knot_count, knots);
  *textured = arc_params(s, t);
  for (j = 0; j < *columns; j++) tcol[j] = *textured ? column_param(t, j, s->count) : 0.0f;
  return NURB_OK;
}

NurbStatus nurb_build_revolution(const Silhouette* s, NurbRevolution* out) {
  float tcol[NURB_MAX_CONTROL];
  int i, j;
  NurbStatus status = silhouette_columns(s, &out->order, &out->columns, &out->knot_count,
                                         out->knots, &out->textured, tcol);
  if (status != NURB_OK) return status;
  for (j = 0; j < out->columns; j++) {
    int p = source_point(j, s->count);
    float x = s->pts[p][0], y = s->pts[p][1];
    float tj = tcol[j];
    for (i = 0; i < NURB_CIRCLE_POINTS; i++) {
      /* Read backwards: the sweep runs from 0 to -360 degrees. */
      const float* c = CircleTable[NURB_CIRCLE_POINTS - 1 - i];
      out->net[i][j][0] = x * c[0];
      out->net[i][j][1] = y * c[2];
      out->net[i][j][2] = x * c[1];
      out->net[i][j][3] = c[2];
      out->tex[i][j][0] = (float)i / 8.0f;
      out->tex[i][j][1] = tj;
    }
  }
  return NURB_OK;
}

NurbStatus nurb_build_extrusion(const Silhouette* s, NurbExtrusion* out) {
  float tcol[NURB_MAX_CONTROL];
  int j, k;
  NurbStatus status = silhouette_columns(s, &out->order, &out->columns, &out->knot_count,
                                         out->knots, &out->textured, tcol);
  if (status != NURB_OK) return status;
  for (j = 0; j < out->columns; j++) {
    int p = source_point(j, s->count);
    float tj = tcol[j];
    for (k = 0; k < 2; k++) {
      out->vert[j][k][0] = s->pts[p][0];
      out->vert[j][k][1] = s->pts[p][1];
      out->vert[j][k][2] = k ? NURB_EXTRUSION_HALF_DEPTH : -NURB_EXTRUSION_HALF_DEPTH;
      out->tex[j][k][0] = tj;
      out->tex[j][k][1] = (float)k;
    }
  }
  return NURB_OK;
}

/* Twice the signed area of a closed polygon: positive when counter-clockwise. */
static double loop_area(float loop[][2], int n) {
  double a = 0.0;
  int j;
  for (j = 0; j < n; j++) {
    const float* p = loop[j];
    const float* q = loop[(j + 1) % n];
    a += (double)p[0] * q[1] - (double)q[0] * p[1];
  }
  return a;
}

NurbStatus nurb_build_cap(const Silhouette* s, int side, float depth, NurbCap* out) {
  float loop[NURB_MAX_POINTS][2];
  float w, h;
  int j, u, v, n = s->count;
  NurbStatus status = nurb_check(s);
  if (status != NURB_OK) return status;
  out->order = s->order;
  out->side = side;
  out->xmin = out->xmax = s->pts[0][0];
  out->ymin = out->ymax = s->pts[0][1];
  for (j = 1; j < n; j++) {
    if (s->pts[j][0] < out->xmin) out->xmin = s->pts[j][0];
    if (s->pts[j][0] > out->xmax) out->xmax = s->pts[j][0];
    if (s->pts[j][1] < out->ymin) out->ymin = s->pts[j][1];
    if (s->pts[j][1] > out->ymax) out->ymax = s->pts[j][1];
  }
  w = out->xmax - out->xmin;
  h = out->ymax - out->ymin;
  if (!(w > 0.0f) || !(h > 0.0f)) return NURB_NO_AREA; /* a flat box has no inside to cover */

  for (u = 0; u < 2; u++)
    for (v = 0; v < 2; v++) {
      out->vert[u][v][0] = u ? out->xmax : out->xmin;
      out->vert[u][v][1] = v ? out->ymax : out->ymin;
      out->vert[u][v][2] = depth;
      out->normal[u][v][0] = 0.0f;
      out->normal[u][v][1] = 0.0f;
      out->normal[u][v][2] = side == nurbBACK ? -1.0f : 1.0f;
      /* Mirrored in s at the back, so a texture reads the right way from behind. */
      out->tex[u][v][0] = (float)(side == nurbBACK ? 1 - u : u);
      out->tex[u][v][1] = (float)v;
    }

  /* The trim loop in the patch's unit square. An open silhouette ends where
     it began (its last point is replaced by the first), so the loop is closed. */
  for (j = 0; j < n; j++) {
    int p = s->knot_type == openknot && j == n - 1 ? 0 : j;
    loop[j][0] = (s->pts[p][0] - out->xmin) / w;
    loop[j][1] = (s->pts[p][1] - out->ymin) / h;
  }
  /* GLU keeps what lies left of the trim curve: a silhouette drawn clockwise
     would trim away its own inside and leave no cap, so walk it the other way. */
  if (loop_area(loop, n) < 0.0) {
    for (j = 0; j < n; j++) {
      int p = s->knot_type == openknot ? n - 1 - j : (n - j) % n;
      out->trim[j][0] = loop[p][0];
      out->trim[j][1] = loop[p][1];
    }
  } else {
    for (j = 0; j < n; j++) {
      out->trim[j][0] = loop[j][0];
      out->trim[j][1] = loop[j][1];
    }
  }
  out->trim_count = nurb_control_count(s);
  for (j = n; j < out->trim_count; j++) {
    out->trim[j][0] = out->trim[j - n][0];
    out->trim[j][1] = out->trim[j - n][1];
  }
  make_knots(s, &out->knot_count, out->knots);
  return NURB_OK;
}

/* ---- The GLU half ----------------------------------------------------------- */

void nurb_sampling(GLUnurbsObj* nurb) {
  gluNurbsProperty(nurb, GLU_SAMPLING_METHOD, GLU_DOMAIN_DISTANCE);
  gluNurbsProperty(nurb, GLU_U_STEP, (GLfloat)res);
  gluNurbsProperty(nurb, GLU_V_STEP, (GLfloat)res);
  gluNurbsProperty(nurb, GLU_DISPLAY_MODE, GLU_FILL);
  gluNurbsProperty(nurb, GLU_CULLING, GL_TRUE);
}

static GLUnurbsObj* new_renderer(void) {
  GLUnurbsObj* nurb = gluNewNurbsRenderer();
  if (!nurb) return 0;
  nurb_sampling(nurb);
  return nurb;
}

static void end_renderer(GLUnurbsObj* nurb) {
  gluDeleteNurbsRenderer(nurb);
  glFlush();
}

void nurb_surface_revolution(GLUnurbsObj* nurb, const NurbRevolution* rev) {
  gluBeginSurface(nurb);
  if (rev->textured)
    gluNurbsSurface(nurb, NURB_ANGULAR_KNOTS, (GLfloat*)AngularKnots, rev->knot_count,
                    (GLfloat*)rev->knots, NURB_MAX_CONTROL * 2, 2, (GLfloat*)&rev->tex[0][0][0], 3,
                    rev->order, GL_MAP2_TEXTURE_COORD_2);
  gluNurbsSurface(nurb, NURB_ANGULAR_KNOTS, (GLfloat*)AngularKnots, rev->knot_count,
                  (GLfloat*)rev->knots, NURB_MAX_CONTROL * 4, 4, (GLfloat*)&rev->net[0][0][0], 3,
                  rev->order, GL_MAP2_VERTEX_4);
  gluEndSurface(nurb);
}

void nurb_surface_extrusion(GLUnurbsObj* nurb, const NurbExtrusion* ext) {
  gluBeginSurface(nurb);
  if (ext->textured)
    gluNurbsSurface(nurb, ext->knot_count, (GLfloat*)ext->knots, NURB_DEPTH_KNOTS,
                    (GLfloat*)DepthKnots, 4, 2, (GLfloat*)&ext->tex[0][0][0], ext->order, 2,
                    GL_MAP2_TEXTURE_COORD_2);
  gluNurbsSurface(nurb, ext->knot_count, (GLfloat*)ext->knots, NURB_DEPTH_KNOTS,
                  (GLfloat*)DepthKnots, 6, 3, (GLfloat*)&ext->vert[0][0][0], ext->order, 2,
                  GL_MAP2_VERTEX_3);
  gluEndSurface(nurb);
}

void nurb_surface_cap(GLUnurbsObj* nurb, const NurbCap* cap) {
  gluBeginSurface(nurb);
  gluNurbsSurface(nurb, NURB_DEPTH_KNOTS, (GLfloat*)DepthKnots, NURB_DEPTH_KNOTS,
                  (GLfloat*)DepthKnots, 4, 2, (GLfloat*)&cap->tex[0][0][0], 2, 2,
                  GL_MAP2_TEXTURE_COORD_2);
  gluNurbsSurface(nurb, NURB_DEPTH_KNOTS, (GLfloat*)DepthKnots, NURB_DEPTH_KNOTS,
                  (GLfloat*)DepthKnots, 6, 3, (GLfloat*)&cap->normal[0][0][0], 2, 2,
                  GL_MAP2_NORMAL);
  gluNurbsSurface(nurb, NURB_DEPTH_KNOTS, (GLfloat*)DepthKnots, NURB_DEPTH_KNOTS,
                  (GLfloat*)DepthKnots, 6, 3, (GLfloat*)&cap->vert[0][0][0], 2, 2,
                  GL_MAP2_VERTEX_3);
  gluBeginTrim(nurb);
  gluNurbsCurve(nurb, cap->knot_count, (GLfloat*)cap->knots, 2, (GLfloat*)&cap->trim[0][0],
                cap->order, GLU_MAP1_TRIM_2);
  gluEndTrim(nurb);
  gluEndSurface(nurb);
}

void nurb_draw_revolution(const NurbRevolution* rev) {
  GLUnurbsObj* nurb = new_renderer();
  if (!nurb) return;
  nurb_surface_revolution(nurb, rev);
  end_renderer(nurb);
}

void nurb_draw_extrusion(const NurbExtrusion* ext) {
  GLUnurbsObj* nurb = new_renderer();
  if (!nurb) return;
  nurb_surface_extrusion(nurb, ext);
  end_renderer(nurb);
}

void nurb_draw_cap(const NurbCap* cap) {
  GLUnurbsObj* nurb = new_renderer();
  if (!nurb) return;
  nurb_surface_cap(nurb, cap);
  end_renderer(nurb);
}

/* ---- The six routines ---------------------------------------------------------- */

void nurb_sides_state(void) {
  glEnable(GL_AUTO_NORMAL); /* GLU computes the normals */
  glEnable(GL_NORMALIZE);
}

void nurb_cap_state(int side) {
  glEnable(GL_NORMALIZE);
  glDisable(GL_AUTO_NORMAL); /* the cap brings its own normals */
  /* The patch faces +z; seen from behind its winding is clockwise. */
  if (side == nurbBACK) glFrontFace(GL_CW);
}

void nurb_cap_done(void) { glFrontFace(GL_CCW); }

/* The wrappers below take the arguments exported programs pass: a point
   count and the points, with the knot type in the routine's name. */
static Silhouette wrap(int order, int knot_type, int n, float pts[][2]) {
  return nurb_silhouette(order, knot_type, n, (const float(*)[2])pts);
}

static void revolution(int order, int knot_type, int n, float pts[][2]) {
  NurbRevolution rev;
  Silhouette s = wrap(order, knot_type, n, pts);
  nurb_sides_state();
  if (nurb_build_revolution(&s, &rev) == NURB_OK) nurb_draw_revolution(&rev);
}

static void extrusion_sides(int order, int knot_type, int n, float pts[][2]) {
  NurbExtrusion ext;
  Silhouette s = wrap(order, knot_type, n, pts);
  nurb_sides_state();
  if (nurb_build_extrusion(&s, &ext) == NURB_OK) nurb_draw_extrusion(&ext);
}

static void cap(int order, int knot_type, int n, float pts[][2], int side, float depth) {
  NurbCap c;
  Silhouette s = wrap(order, knot_type, n, pts);
  nurb_cap_state(side);
  if (nurb_build_cap(&s, side, depth, &c) == NURB_OK) nurb_draw_cap(&c);
  nurb_cap_done();
}

void nurbSurfRevOpen(int order, int n, float pts[][2]) { revolution(order, openknot, n, pts); }

void nurbSolidSurfRevPeriodic(int order, int n, float pts[][2]) {
  revolution(order, periodic, n, pts);
}

void nurbExtSidesOpen(int order, int n, float pts[][2]) {
  extrusion_sides(order, openknot, n, pts);
}

void nurbExtSidesPeriodic(int order, int n, float pts[][2]) {
  extrusion_sides(order, periodic, n, pts);
}

void nurbCapOpen(int order, int n, float pts[][2], int side, float depth) {
  cap(order, openknot, n, pts, side, depth);
}

void nurbCapPeriodic(int order, int n, float pts[][2], int side, float depth) {
  cap(order, periodic, n, pts, side, depth);
}

/* ---- Textured cube ------------------------------------------------------------------- */

void texCube(float edge) {
  /* Per face: outward normal, then the corners counter-clockwise seen from outside. */
  static const float normals[6][3] = {{1, 0, 0},  {-1, 0, 0}, {0, 1, 0},
                                      {0, -1, 0}, {0, 0, 1},  {0, 0, -1}};
  static const float corners[6][4][3] = {{{1, -1, 1}, {1, -1, -1}, {1, 1, -1}, {1, 1, 1}},
                                         {{-1, -1, -1}, {-1, -1, 1}, {-1, 1, 1}, {-1, 1, -1}},
                                         {{-1, 1, 1}, {1, 1, 1}, {1, 1, -1}, {-1, 1, -1}},
                                         {{-1, -1, -1}, {1, -1, -1}, {1, -1, 1}, {-1, -1, 1}},
                                         {{-1, -1, 1}, {1, -1, 1}, {1, 1, 1}, {-1, 1, 1}},
                                         {{1, -1, -1}, {-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}}};
  static const float texcoords[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  float h = edge / 2.0f;
  int f, k;
  glBegin(GL_QUADS);
  for (f = 0; f < 6; f++) {
    glNormal3fv(normals[f]);
    for (k = 0; k < 4; k++) {
      glTexCoord2fv(texcoords[k]);
      glVertex3f(corners[f][k][0] * h, corners[f][k][1] * h, corners[f][k][2] * h);
    }
  }
  glEnd();
}
