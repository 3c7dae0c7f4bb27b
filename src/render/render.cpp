// Object drawing: the quadric primitives, the NURBS objects and their
// wireframe stand-ins, materials, and the silhouette curve.
#include "render/render.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <cmath>

#include "render/shapes.h"
#include "render/tess_cache.h"

int wireframe;
int show_grid;
int show_world_axes;
int show_object_axes;

void reset_render() {
  wireframe = 1;
  show_grid = 1;
  show_world_axes = 1;
  show_object_axes = 0;
  res = 10;
  reset_tess_cache();
}

void set_material(const float ambient[4], const float diffuse[4], const float specular[4],
                  const float* shininess) {
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
  // GL takes 0..128; a shine slid past the bar's end (up to 130/120) or read
  // from a file would otherwise be dropped with an error.
  const float exponent = std::fmin(std::fmax(*shininess, 0.0f), 128.0f);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SHININESS, &exponent);
}

// Whether a silhouette runs back to its first point, so that a cap can close it.
static bool ends_meet(const ObjectRecord& rec) {
  if (rec.silend < 0 || rec.silend >= MAX_SIL_POINTS) return false;
  return end_gap(rec.sil[0][0], rec.sil[0][1], rec.sil[rec.silend][0], rec.sil[rec.silend][1]) <
         closed_gap;
}

// Point count handed to the outline routines, held to the table.
static int clamp_count(int n) { return n < 0 ? 0 : (n > MAX_SIL_POINTS ? MAX_SIL_POINTS : n); }

void wire_extrusion(int knots, float pts[][2], int n, float depth) {
  n = clamp_count(n);
  float h = depth / 2.0f;
  auto loop = [&](int a, int b) {
    glBegin(GL_LINE_LOOP);
    glNormal3f(-1, 0, 0);
    glVertex3f(pts[a][0], pts[a][1], h);
    glVertex3f(pts[a][0], pts[a][1], -h);
    glVertex3f(pts[b][0], pts[b][1], -h);
    glVertex3f(pts[b][0], pts[b][1], h);
    glEnd();
  };
  for (int i = 0; i + 1 < n; i++) loop(i, i + 1);
  if (knots == periodic && n > 0) loop(n - 1, 0);  // the closing side
}

void wire_revolution(float pts[][2], int n, int steps) {
  n = clamp_count(n);
  if (steps <= 0) return;
  // Just short of a full turn, clockwise seen from above like the solid sweep.
  const float d = -6.283058f / (float)steps;
  for (int i = 0; i + 1 < n; i++) {
    for (int k = 0; k < steps; k++) {
      float a = (float)k * d, b = a + d;
      float ca = std::cos(a), sa = std::sin(a), cb = std::cos(b), sb = std::sin(b);
      glBegin(GL_LINE_LOOP);
      glVertex3f(pts[i][0] * ca, pts[i][1], pts[i][0] * sa);
      glVertex3f(pts[i][0] * cb, pts[i][1], pts[i][0] * sb);
      glVertex3f(pts[i + 1][0] * cb, pts[i + 1][1], pts[i + 1][0] * sb);
      glVertex3f(pts[i + 1][0] * ca, pts[i + 1][1], pts[i + 1][0] * sa);
      glEnd();
    }
  }
  glFlush();
}

// Both caps of an extrusion at z = +5 (front) and -5 (back), or just one.
static void draw_caps(const Silhouette& s, bool front, bool back) {
  if (front) draw_surface(SURFACE_FRONT_CAP, s, NURB_EXTRUSION_HALF_DEPTH);
  if (back) draw_surface(SURFACE_BACK_CAP, s, -NURB_EXTRUSION_HALF_DEPTH);
}

// A thin outline of the control polygon in a cap's plane.
static void wire_cap(ObjectRecord& rec, int n, float z) {
  glTranslatef(0, 0, z);
  wire_extrusion(rec.knots, rec.sil, n, 0.01f);
  glTranslatef(0, 0, -z);
}

static void draw_solid(ObjectRecord& rec, int n, bool cappable) {
  // The revolution is built from the editor's pixels, 20 to a model unit;
  // the other types from model units.
  const Silhouette s = nurb_silhouette(rec.order, rec.knots, n,
                                       rec.surfacetype == TYPE_REVOLUTION ? rec.silpix : rec.sil);
  switch (rec.surfacetype) {
    case TYPE_BOX:
      glPushMatrix();
      glTranslatef(0, 5, 0);
      draw_cube(10.0f, false);
      glPopMatrix();
      break;
    case TYPE_SPHERE:
      draw_solid_sphere(10.0f, 36, 36);
      break;
    case TYPE_CYLINDER:
      draw_solid_disk(5.0f, 36, 2);
      draw_solid_cylinder(5.0f, 5.0f, 10.0f, 36, 2);
      glTranslatef(0, 0, 10);
      draw_solid_disk(5.0f, 36, 2);
      break;
    case TYPE_CONE:
      draw_solid_cylinder(0.0f, 5.0f, 12.0f, 36, 2);
      break;
    case TYPE_REVOLUTION:
      glScalef(0.05f, 0.05f, 0.05f);
      draw_surface(SURFACE_REVOLUTION, s);
      glScalef(20, 20, 20);
      break;
    case TYPE_EXTRUSION:
      draw_surface(SURFACE_SIDES, s);
      if (cappable) draw_caps(s, true, true);
      break;
    case TYPE_OPENEXT:
      draw_surface(SURFACE_SIDES, s);
      break;
    case TYPE_FFACE:
      if (cappable) draw_caps(s, true, false);
      break;
    case TYPE_BFACE:
      if (cappable) draw_caps(s, false, true);
      break;
    default:
      break;
  }
}

static void draw_wire(ObjectRecord& rec, GLUquadric* q, int n, bool cappable) {
  switch (rec.surfacetype) {
    case TYPE_BOX:
      glPushMatrix();
      glTranslatef(0, 5, 0);
      draw_cube(10.0f, true);
      glPopMatrix();
      break;
    case TYPE_SPHERE:
      gluSphere(q, 10.0, 8, 8);
      break;
    case TYPE_CYLINDER:
      gluCylinder(q, 5.0, 5.0, 10.0, 8, 2);
      gluDisk(q, 0.0, 5.0, 8, 2);
      glTranslatef(0, 0, 10);
      gluDisk(q, 0.0, 5.0, 8, 2);
      break;
    case TYPE_CONE:
      gluCylinder(q, 0.0, 5.0, 12.0, 8, 2);
      break;
    case TYPE_REVOLUTION:
      wire_revolution(rec.sil, n, 12);
      break;
    case TYPE_EXTRUSION:
    case TYPE_OPENEXT:
      wire_extrusion(rec.knots, rec.sil, n, 10.0f);
      break;
    case TYPE_FFACE:
      if (cappable) wire_cap(rec, n, NURB_EXTRUSION_HALF_DEPTH);
      break;
    case TYPE_BFACE:
      if (cappable) wire_cap(rec, n, -NURB_EXTRUSION_HALF_DEPTH);
      break;
    default:
      break;
  }
}

void draw_object(ObjectRecord rec) { draw_object_as(rec, wireframe != 0); }

// By value: the drawing routines take the point arrays as non-const.
void draw_object_as(ObjectRecord rec, bool wire) {
  // Outlines of the quadric types come from GLU; the solids from the cache.
  const bool quadric_type = wire && rec.surfacetype >= TYPE_SPHERE && rec.surfacetype <= TYPE_CONE;
  GLUquadric* q = quadric_type ? gluNewQuadric() : nullptr;
  if (quadric_type && !q) return;  // out of memory: skip this object, keep the frame going
  glPushMatrix();
  if (wire) {
    glColor4fv(rec.color);
    glDisable(GL_LIGHTING);
  } else {
    static const float specular[4] = {0.5f, 0.5f, 0.5f, 1.0f};
    float s = rec.shine * 128.0f;
    set_material(rec.color, rec.color, specular, &s);
  }
  if (q) {
    gluQuadricNormals(q, GLU_SMOOTH);
    gluQuadricDrawStyle(q, GLU_LINE);
  }

  const int n = rec.silend + 1;
  const bool cappable = rec.knots == periodic || ends_meet(rec);
  if (wire)
    draw_wire(rec, q, n, cappable);
  else
    draw_solid(rec, n, cappable);

  if (wire) glEnable(GL_LIGHTING);
  glPopMatrix();
  if (q) gluDeleteQuadric(q);
}

void draw_silhouette_curve(const Silhouette& s) {
  if (s.count < 4) return;
  float knots[NURB_MAX_KNOTS];
  float control[3 * NURB_MAX_CONTROL];
  int count = 0;
  // An order the curve cannot have, or more points than a silhouette holds.
  if (make_knots(&s, &count, knots) != NURB_OK) return;
  control_points(&s, control);

  GLUnurbs* nurb = gluNewNurbsRenderer();
  if (!nurb) return;
  gluNurbsProperty(nurb, GLU_SAMPLING_METHOD, GLU_DOMAIN_DISTANCE);
  gluNurbsProperty(nurb, GLU_U_STEP, (GLfloat)res);
  gluBeginCurve(nurb);
  gluNurbsCurve(nurb, count, knots, 3, control, s.order, GL_MAP1_VERTEX_3);
  gluEndCurve(nurb);
  gluDeleteNurbsRenderer(nurb);
  glFlush();
}
