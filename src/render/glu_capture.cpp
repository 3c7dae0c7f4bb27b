// GLU's NURBS renderer in tessellator mode: the triangles it makes of a
// surface, collected through its callbacks instead of drawn.
#include "render/glu_capture.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace {

void GLAPIENTRY on_begin(GLenum mode, void* builder) {
  static_cast<MeshBuilder*>(builder)->begin(mode == GL_QUAD_STRIP ? GL_TRIANGLE_STRIP : mode);
}
void GLAPIENTRY on_vertex(GLfloat* p, void* builder) {
  static_cast<MeshBuilder*>(builder)->vertex(p);
}
void GLAPIENTRY on_normal(GLfloat* n, void* builder) {
  static_cast<MeshBuilder*>(builder)->normal(n);
}
void GLAPIENTRY on_tex(GLfloat* t, void* builder) { static_cast<MeshBuilder*>(builder)->tex(t); }
void GLAPIENTRY on_end(void* builder) { static_cast<MeshBuilder*>(builder)->end(); }

// Weight of the rational circle at angular parameter u (0..1), as GL's
// evaluator computes it for the quarter's Bezier segment.
float circle_weight(float u) {
  int q = static_cast<int>(4.0f * u);
  q = q < 0 ? 0 : (q > 3 ? 3 : q);
  const float t = 4.0f * u - static_cast<float>(q), s = 1.0f - t;
  const float w0 = CircleTable[8 - 2 * q][2], w1 = CircleTable[7 - 2 * q][2];
  const float w2 = CircleTable[6 - 2 * q][2];
  return s * s * w0 + 2.0f * s * t * w1 + t * t * w2;
}

// Vertices of a surface of revolution. Drawn uncached, GL gets them in
// homogeneous form with the circle's weight as w, and interpolates across
// each triangle accordingly; GLU's callbacks hand them over divided. The
// first texture coordinate equals the angular parameter, which gives the weight back.
void GLAPIENTRY on_rational_vertex(GLfloat* p, void* builder) {
  MeshBuilder* b = static_cast<MeshBuilder*>(builder);
  b->vertex(p, circle_weight(b->current_tex()[0]));
}

}  // namespace

MeshData glu_surface_triangles(SurfaceKind kind, const Silhouette& s, float depth) {
  MeshBuilder out;
  GLUnurbsObj* nurb = gluNewNurbsRenderer();
  if (nurb == nullptr) return out.take();
  nurb_sampling(nurb);
  // Culling would leave out what the current view does not show, and the
  // cached surface is seen from everywhere later.
  gluNurbsProperty(nurb, GLU_CULLING, GL_FALSE);
  gluNurbsProperty(nurb, GLU_NURBS_MODE, GLU_NURBS_TESSELLATOR);
  gluNurbsCallbackData(nurb, &out);
  gluNurbsCallback(nurb, GLU_NURBS_BEGIN_DATA, reinterpret_cast<_GLUfuncptr>(on_begin));
  gluNurbsCallback(
      nurb, GLU_NURBS_VERTEX_DATA,
      reinterpret_cast<_GLUfuncptr>(kind == SURFACE_REVOLUTION ? on_rational_vertex : on_vertex));
  gluNurbsCallback(nurb, GLU_NURBS_NORMAL_DATA, reinterpret_cast<_GLUfuncptr>(on_normal));
  gluNurbsCallback(nurb, GLU_NURBS_TEXTURE_COORD_DATA, reinterpret_cast<_GLUfuncptr>(on_tex));
  gluNurbsCallback(nurb, GLU_NURBS_END_DATA, reinterpret_cast<_GLUfuncptr>(on_end));
  switch (kind) {
    case SURFACE_REVOLUTION: {
      NurbRevolution rev;
      if (nurb_build_revolution(&s, &rev) == NURB_OK) nurb_surface_revolution(nurb, &rev);
      break;
    }
    case SURFACE_SIDES: {
      NurbExtrusion ext;
      if (nurb_build_extrusion(&s, &ext) == NURB_OK) nurb_surface_extrusion(nurb, &ext);
      break;
    }
    default: {
      NurbCap cap;
      const int side = kind == SURFACE_BACK_CAP ? nurbBACK : nurbFRONT;
      if (nurb_build_cap(&s, side, depth, &cap) == NURB_OK) nurb_surface_cap(nurb, &cap);
      break;
    }
  }
  gluDeleteNurbsRenderer(nurb);
  return out.take();
}
