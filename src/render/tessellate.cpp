// The modeller's own tessellation: B-spline evaluation of the builders'
// arrays on a grid of chosen parameters, and caps triangulated as polygons.
#include "render/tessellate.h"

#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <new>
#include <vector>

namespace {

// A chord may stray this far from the surface, and an edge be this long,
// in pixels. Lighting is computed at the vertices and interpolated between
// them: along the silhouette the normal may turn this much from one vertex
// to the next, so that a narrow highlight within a knot span is not lost,
// however small the span is on the screen.
constexpr double CHORD_PIXELS = 0.25;
constexpr double EDGE_PIXELS = 32.0;
constexpr double TURN_DEGREES = 12.0;
constexpr int MAX_ORDER = 4;

// The order nonzero B-spline basis functions on knot interval
// [knots[span], knots[span + 1]] at u, and their first derivatives.
void basis(const float* knots, int span, int order, double u, double n[MAX_ORDER],
           double dn[MAX_ORDER]) {
  const int p = order - 1;
  double ndu[MAX_ORDER][MAX_ORDER], left[MAX_ORDER], right[MAX_ORDER];
  ndu[0][0] = 1.0;
  for (int j = 1; j <= p; j++) {
    left[j] = u - knots[span + 1 - j];
    right[j] = knots[span + j] - u;
    double saved = 0.0;
    for (int r = 0; r < j; r++) {
      ndu[j][r] = right[r + 1] + left[j - r];  // knot differences below the diagonal
      const double t = ndu[r][j - 1] / ndu[j][r];
      ndu[r][j] = saved + right[r + 1] * t;
      saved = left[j - r] * t;
    }
    ndu[j][j] = saved;
  }
  for (int r = 0; r <= p; r++) {
    n[r] = ndu[r][p];
    double d = 0.0;
    if (r >= 1) d += ndu[r - 1][p - 1] / ndu[p][r - 1];
    if (r <= p - 1) d -= ndu[r][p - 1] / ndu[p][r];
    dn[r] = p * d;
  }
}

// One parameter direction of a patch and the samples taken along it.
struct Direction {
  const float* knots;
  int order;
  std::vector<double> u;  // sample parameters, increasing
  std::vector<int> span;  // knot interval of each
  // m segments over knot interval k, the interval's end only when last.
  void add_span(int k, int m, bool last) {
    const double a = knots[k], b = knots[k + 1];
    for (int i = 0; i < m; i++) {
      u.push_back(a + (b - a) * i / m);
      span.push_back(k);
    }
    if (last) {
      u.push_back(b);
      span.push_back(k);
    }
  }
};

// Samples along a silhouette: at.along[j] segments in its j-th drawn span.
Direction silhouette_direction(const float* knots, int order, const Sampling& at) {
  Direction d{knots, order, {}, {}};
  for (int j = 0; j < at.spans; j++) d.add_span(order - 1 + j, at.along[j], j == at.spans - 1);
  return d;
}

// A tensor-product patch: control points (x, y, z, w) and texture
// coordinates, s_count x t_count of them, s running slowest.
struct Patch {
  Direction s, t;
  int s_count, t_count;
  std::vector<double> ctrl;  // 4 per point
  std::vector<double> tex;   // 2 per point, empty without texture
};

void set_normal(MeshVertex& v, const double pu[3], const double pv[3]) {
  const double n[3] = {pu[1] * pv[2] - pu[2] * pv[1], pu[2] * pv[0] - pu[0] * pv[2],
                       pu[0] * pv[1] - pu[1] * pv[0]};
  const double len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
  for (int k = 0; k < 3; k++) v.normal[k] = len > 0.0 ? static_cast<float>(n[k] / len) : 0.0f;
}

bool no_normal(const MeshVertex& v) {
  return v.normal[0] == 0.0f && v.normal[1] == 0.0f && v.normal[2] == 0.0f;
}

// A point where the surface has no normal (on the axis of a revolution) takes
// its neighbour's along the silhouette, or across it.
void fill_missing_normals(std::vector<MeshVertex>& grid, int ns, int nt) {
  for (int a = 0; a < ns; a++)
    for (int b = 0; b < nt; b++) {
      MeshVertex& v = grid[a * nt + b];
      if (!no_normal(v)) continue;
      for (int db = 1; db < nt && no_normal(v); db++)
        for (int bb : {b + db, b - db})
          if (bb >= 0 && bb < nt && !no_normal(grid[a * nt + bb]))
            std::copy(grid[a * nt + bb].normal, grid[a * nt + bb].normal + 3, v.normal);
    }
}

MeshData evaluate(const Patch& p) {
  MeshData out;
  const int ns = static_cast<int>(p.s.u.size()), nt = static_cast<int>(p.t.u.size());
  if (ns < 2 || nt < 2) return out;
  out.textured = !p.tex.empty();
  out.vertices.resize(static_cast<size_t>(ns) * nt);
  // Basis functions along t, the same for every s.
  std::vector<double> nt_all(static_cast<size_t>(nt) * MAX_ORDER), dnt_all(nt_all.size());
  for (int b = 0; b < nt; b++)
    basis(p.t.knots, p.t.span[b], p.t.order, p.t.u[b], &nt_all[b * MAX_ORDER],
          &dnt_all[b * MAX_ORDER]);
  // The control columns blended along s: point, its s derivative, texture.
  std::vector<double> col(4 * p.t_count), dcol(4 * p.t_count), tcol(2 * p.t_count);
  for (int a = 0; a < ns; a++) {
    double ns_[MAX_ORDER], dns[MAX_ORDER];
    basis(p.s.knots, p.s.span[a], p.s.order, p.s.u[a], ns_, dns);
    const int s0 = p.s.span[a] - (p.s.order - 1);
    for (int j = 0; j < p.t_count; j++) {
      for (int c = 0; c < 4; c++) {
        double v = 0.0, dv = 0.0;
        for (int r = 0; r < p.s.order; r++) {
          const double x = p.ctrl[4 * ((s0 + r) * p.t_count + j) + c];
          v += ns_[r] * x;
          dv += dns[r] * x;
        }
        col[4 * j + c] = v;
        dcol[4 * j + c] = dv;
      }
      for (int c = 0; c < 2 && out.textured; c++) {
        double v = 0.0;
        for (int r = 0; r < p.s.order; r++) v += ns_[r] * p.tex[2 * ((s0 + r) * p.t_count + j) + c];
        tcol[2 * j + c] = v;
      }
    }
    for (int b = 0; b < nt; b++) {
      const double* nb = &nt_all[b * MAX_ORDER];
      const double* dnb = &dnt_all[b * MAX_ORDER];
      const int t0 = p.t.span[b] - (p.t.order - 1);
      double s[4] = {0, 0, 0, 0}, su[4] = {0, 0, 0, 0}, sv[4] = {0, 0, 0, 0}, tx[2] = {0, 0};
      for (int r = 0; r < p.t.order; r++)
        for (int c = 0; c < 4; c++) {
          s[c] += nb[r] * col[4 * (t0 + r) + c];
          su[c] += nb[r] * dcol[4 * (t0 + r) + c];
          sv[c] += dnb[r] * col[4 * (t0 + r) + c];
        }
      for (int r = 0; r < p.t.order && out.textured; r++)
        for (int c = 0; c < 2; c++) tx[c] += nb[r] * tcol[2 * (t0 + r) + c];
      MeshVertex& v = out.vertices[static_cast<size_t>(a) * nt + b];
      for (int c = 0; c < 4; c++) v.pos[c] = static_cast<float>(s[c]);
      for (int c = 0; c < 2; c++) v.tex[c] = static_cast<float>(tx[c]);
      // Derivatives of the point divided by its weight.
      double pu[3], pv[3];
      for (int c = 0; c < 3; c++) {
        pu[c] = (su[c] * s[3] - s[c] * su[3]) / (s[3] * s[3]);
        pv[c] = (sv[c] * s[3] - s[c] * sv[3]) / (s[3] * s[3]);
      }
      set_normal(v, pu, pv);
    }
  }
  fill_missing_normals(out.vertices, ns, nt);
  // Two triangles a cell, counter-clockwise about the normal (s, then t).
  out.indices.reserve(static_cast<size_t>(ns - 1) * (nt - 1) * 6);
  for (int a = 0; a + 1 < ns; a++)
    for (int b = 0; b + 1 < nt; b++) {
      const uint32_t v00 = a * nt + b, v10 = (a + 1) * nt + b;
      out.indices.insert(out.indices.end(), {v00, v10, v10 + 1, v00, v10 + 1, v00 + 1});
    }
  return out;
}

// The point of a silhouette's curve at u in knot interval span.
void curve_point(const float* knots, int order, const float* ctrl, int span, double u,
                 double out[2]) {
  double n[MAX_ORDER], dn[MAX_ORDER];
  basis(knots, span, order, u, n, dn);
  out[0] = out[1] = 0.0;
  for (int r = 0; r < order; r++)
    for (int c = 0; c < 2; c++) out[c] += n[r] * ctrl[3 * (span - order + 1 + r) + c];
}

// Segments that keep a span within the pixel bounds: its chord error shrinks
// with the square of the segment count, its edges with the count.
int segments_for(double deviation, double length, double turn, double scale, int most) {
  const double by_chord = std::ceil(std::sqrt(deviation * scale / CHORD_PIXELS));
  const double by_edge = std::ceil(length * scale / EDGE_PIXELS);
  // Segments shorter than a quarter of a pixel show no highlight of their own.
  const double by_turn =
      std::fmin(std::ceil(turn * 180.0 / M_PI / TURN_DEGREES), std::ceil(4.0 * length * scale));
  const double m = std::fmax(std::fmax(by_chord, by_edge), by_turn);
  if (std::isnan(m) || m >= most) return most;  // points that are not numbers: GLU's sampling
  return m < 1.0 ? 1 : static_cast<int>(m);
}

MeshData failed() {
  MeshData m;
  m.complete = false;
  return m;
}

// Knot spans in the range GLU draws: one a point of a periodic silhouette,
// count - order + 1 of an open one.
int drawn_spans(const Silhouette& s) {
  return s.knot_type == periodic ? s.count : s.count - s.order + 1;
}

}  // namespace

int glu_segments(double range, int res) {
  const double m = std::floor(range * res + 1e-9);
  return m < 1.0 ? 1 : (m > 1e6 ? 1000000 : static_cast<int>(m));
}

int detail_level(double pixels_per_unit) {
  if (!(pixels_per_unit > level_scale(0))) return 0;
  if (!(pixels_per_unit < level_scale(MAX_DETAIL_LEVEL))) return MAX_DETAIL_LEVEL;
  return static_cast<int>(std::ceil(2.0 * std::log2(pixels_per_unit))) + 16;
}

double level_scale(int level) { return std::pow(2.0, (level - 16) / 2.0); }

BoxView box_view(const float mv[16], const float pr[16], const int vp[4], const float lo[3],
                 const float hi[3]) {
  BoxView view{false, 0.0};
  double stretch = 0.0;  // the most the modelview lengthens an axis
  for (int c = 0; c < 3; c++)
    stretch = std::fmax(stretch, std::sqrt(mv[4 * c] * mv[4 * c] + mv[4 * c + 1] * mv[4 * c + 1] +
                                           mv[4 * c + 2] * mv[4 * c + 2]));
  // Corners beyond each clip plane (bit 2k: x_k < -w, bit 2k+1: x_k > w);
  // the nearest corner has the least clip w, and the largest picture of a unit.
  unsigned beyond_all = 63;
  double w_min = HUGE_VAL;
  for (int corner = 0; corner < 8; corner++) {
    const double p[3] = {corner & 1 ? hi[0] : lo[0], corner & 2 ? hi[1] : lo[1],
                         corner & 4 ? hi[2] : lo[2]};
    double eye[4], clip[4];
    for (int r = 0; r < 4; r++)
      eye[r] = mv[r] * p[0] + mv[4 + r] * p[1] + mv[8 + r] * p[2] + mv[12 + r];
    for (int r = 0; r < 4; r++)
      clip[r] = pr[r] * eye[0] + pr[4 + r] * eye[1] + pr[8 + r] * eye[2] + pr[12 + r] * eye[3];
    unsigned beyond = 0;
    for (int k = 0; k < 3; k++)
      beyond |= (clip[k] < -clip[3] ? 1u : 0u) << (2 * k) | (clip[k] > clip[3] ? 2u : 0u) << (2 * k);
    beyond_all &= beyond;
    w_min = std::fmin(w_min, clip[3]);
  }
  view.outside = beyond_all != 0;
  if (!(w_min > 1e-6)) {  // reaches the eye: as fine as it gets
    view.pixels_per_unit = HUGE_VAL;
    return view;
  }
  const double across = std::fabs(pr[0]) * vp[2], up = std::fabs(pr[5]) * vp[3];
  view.pixels_per_unit = stretch * std::fmax(across, up) / 2.0 / w_min;
  return view;
}

Sampling choose_sampling(const Silhouette& s, bool revolution, double scale, int res) {
  Sampling at;
  float knots[NURB_MAX_KNOTS], ctrl[3 * NURB_MAX_CONTROL];
  int knot_count = 0;
  if (make_knots(&s, &knot_count, knots) != NURB_OK) return at;
  control_points(&s, ctrl);
  const int order = s.order, controls = nurb_control_count(&s);
  at.spans = drawn_spans(s);
  const int most = glu_segments(1.0, res);  // knots step by 1 along the silhouette
  for (int j = 0; j < at.spans; j++) {
    if (scale < 0.0) {
      at.along[j] = most;
      continue;
    }
    // The curve over the span lies in the hull of its order control points:
    // their distance from the chord bounds the curve's.
    double a[2], b[2];
    curve_point(knots, order, ctrl, order - 1 + j, knots[order - 1 + j], a);
    curve_point(knots, order, ctrl, order - 1 + j, knots[order + j], b);
    const double cx = b[0] - a[0], cy = b[1] - a[1], chord = std::hypot(cx, cy);
    double deviation = 0.0;
    for (int k = j; k < j + order; k++) {
      const double px = ctrl[3 * k] - a[0], py = ctrl[3 * k + 1] - a[1];
      const double d = chord > 0.0 ? std::fabs(px * cy - py * cx) / chord : std::hypot(px, py);
      deviation = std::max(deviation, d);
    }
    // The curve turns no more than its control polygon: the normals, and
    // with them the shading, change by at most that much over the span.
    double turn = 0.0;
    for (int k = j + 1; k + 1 < j + order; k++) {
      const double ax = ctrl[3 * k] - ctrl[3 * (k - 1)],
                   ay = ctrl[3 * k + 1] - ctrl[3 * (k - 1) + 1];
      const double bx = ctrl[3 * (k + 1)] - ctrl[3 * k],
                   by = ctrl[3 * (k + 1) + 1] - ctrl[3 * k + 1];
      if ((ax != 0.0 || ay != 0.0) && (bx != 0.0 || by != 0.0))
        turn += std::fabs(std::atan2(ax * by - ay * bx, ax * bx + ay * by));
    }
    at.along[j] = segments_for(deviation, chord + 2.0 * deviation, turn, scale, most);
  }
  if (revolution) {
    const int most_around = glu_segments(0.25, res);  // the angular knots run 0..1
    double radius = 0.0;
    for (int k = 0; k < controls; k++) radius = std::max(radius, (double)std::fabs(ctrl[3 * k]));
    // A quarter circle strays 1 - cos 45 degrees of its radius from its
    // chord; the rational quarter is sampled unevenly in angle, up to a third more.
    at.around = scale < 0.0 ? most_around
                            : segments_for(1.34 * radius * (1.0 - std::cos(M_PI / 4)),
                                           radius * M_PI / 2, 0.0, scale, most_around);
  }
  return at;
}

MeshData tessellate_revolution(const Silhouette& s, const Sampling& at) {
  NurbRevolution rev;
  if (nurb_build_revolution(&s, &rev) != NURB_OK || at.spans != drawn_spans(s) || at.around < 1)
    return MeshData();
  try {
    Patch p{{AngularKnots, 3, {}, {}},
            silhouette_direction(rev.knots, rev.order, at),
            NURB_CIRCLE_POINTS,
            rev.columns,
            {},
            {}};
    for (int q = 0; q < 4; q++) p.s.add_span(2 + 2 * q, at.around, q == 3);
    for (int i = 0; i < NURB_CIRCLE_POINTS; i++)
      for (int j = 0; j < rev.columns; j++) {
        p.ctrl.insert(p.ctrl.end(), rev.net[i][j], rev.net[i][j] + 4);
        if (rev.textured) p.tex.insert(p.tex.end(), rev.tex[i][j], rev.tex[i][j] + 2);
      }
    return evaluate(p);
  } catch (const std::bad_alloc&) {
    return failed();
  }
}

MeshData tessellate_sides(const Silhouette& s, const Sampling& at) {
  NurbExtrusion ext;
  if (nurb_build_extrusion(&s, &ext) != NURB_OK || at.spans != drawn_spans(s)) return MeshData();
  try {
    // Along the depth the surface is a straight line: one segment.
    Patch p{silhouette_direction(ext.knots, ext.order, at),
            {DepthKnots, 2, {}, {}},
            ext.columns,
            2,
            {},
            {}};
    p.t.add_span(1, 1, true);
    for (int j = 0; j < ext.columns; j++)
      for (int k = 0; k < 2; k++) {
        p.ctrl.insert(p.ctrl.end(), ext.vert[j][k], ext.vert[j][k] + 3);
        p.ctrl.push_back(1.0);
        if (ext.textured) p.tex.insert(p.tex.end(), ext.tex[j][k], ext.tex[j][k] + 2);
      }
    return evaluate(p);
  } catch (const std::bad_alloc&) {
    return failed();
  }
}

// ---- Caps ---------------------------------------------------------------------

namespace {

struct CapVertex {
  double xyz[3];
  uint32_t index;
};

// What GLU's polygon tessellator hands back, collected as triangles.
struct CapTriangulation {
  std::deque<CapVertex> points;  // the outline and the crossings GLU adds
  std::vector<uint32_t> indices;
  bool failed = false;
};

void GLAPIENTRY cap_begin(GLenum, void*) {}
void GLAPIENTRY cap_edge(GLboolean, void*) {}  // asks GLU for separate triangles
void GLAPIENTRY cap_vertex(void* vertex, void* data) {
  static_cast<CapTriangulation*>(data)->indices.push_back(static_cast<CapVertex*>(vertex)->index);
}
void GLAPIENTRY cap_combine(GLdouble xyz[3], void* [4], GLfloat[4], void** out, void* data) {
  CapTriangulation* t = static_cast<CapTriangulation*>(data);
  t->points.push_back({{xyz[0], xyz[1], xyz[2]}, static_cast<uint32_t>(t->points.size())});
  *out = &t->points.back();
}
void GLAPIENTRY cap_error(GLenum, void* data) {
  static_cast<CapTriangulation*>(data)->failed = true;
}

}  // namespace

MeshData tessellate_cap(const Silhouette& s, int side, float depth, const Sampling& at) {
  NurbCap cap;
  if (nurb_build_cap(&s, side, depth, &cap) != NURB_OK || at.spans != drawn_spans(s))
    return MeshData();
  // The outline the trim loop describes: an open silhouette ends on its first point.
  Silhouette loop = s;
  if (loop.knot_type == openknot) {
    loop.pts[loop.count - 1][0] = loop.pts[0][0];
    loop.pts[loop.count - 1][1] = loop.pts[0][1];
  }
  float knots[NURB_MAX_KNOTS], ctrl[3 * NURB_MAX_CONTROL];
  int knot_count = 0;
  make_knots(&loop, &knot_count, knots);
  control_points(&loop, ctrl);
  GLUtesselator* tess = gluNewTess();
  if (tess == nullptr) return failed();
  MeshData out;
  try {
    // The wall's edge parameters, without the last, which closes the loop.
    const Direction d = silhouette_direction(knots, loop.order, at);
    CapTriangulation tri;
    for (size_t i = 0; i + 1 < d.u.size(); i++) {
      double xy[2];
      curve_point(knots, loop.order, ctrl, d.span[i], d.u[i], xy);
      tri.points.push_back({{xy[0], xy[1], depth}, static_cast<uint32_t>(i)});
    }
    gluTessCallback(tess, GLU_TESS_BEGIN_DATA, reinterpret_cast<_GLUfuncptr>(cap_begin));
    gluTessCallback(tess, GLU_TESS_EDGE_FLAG_DATA, reinterpret_cast<_GLUfuncptr>(cap_edge));
    gluTessCallback(tess, GLU_TESS_VERTEX_DATA, reinterpret_cast<_GLUfuncptr>(cap_vertex));
    gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<_GLUfuncptr>(cap_combine));
    gluTessCallback(tess, GLU_TESS_ERROR_DATA, reinterpret_cast<_GLUfuncptr>(cap_error));
    gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_ODD);
    gluTessNormal(tess, 0.0, 0.0, 1.0);  // triangles counter-clockwise seen from +z, as the patch's
    gluTessBeginPolygon(tess, &tri);
    gluTessBeginContour(tess);
    const size_t outline = tri.points.size();
    for (size_t i = 0; i < outline; i++) gluTessVertex(tess, tri.points[i].xyz, &tri.points[i]);
    gluTessEndContour(tess);
    gluTessEndPolygon(tess);
    gluDeleteTess(tess);
    tess = nullptr;
    if (tri.failed) return failed();

    const float w = cap.xmax - cap.xmin, h = cap.ymax - cap.ymin;
    out.textured = true;
    out.vertices.resize(tri.points.size());
    for (const CapVertex& p : tri.points) {
      MeshVertex& v = out.vertices[p.index];
      v.pos[0] = static_cast<float>(p.xyz[0]);
      v.pos[1] = static_cast<float>(p.xyz[1]);
      v.pos[2] = depth;
      v.pos[3] = 1.0f;
      v.normal[2] = side == nurbBACK ? -1.0f : 1.0f;
      const float u = (v.pos[0] - cap.xmin) / w;
      v.tex[0] = side == nurbBACK ? 1.0f - u : u;  // mirrored at the back, as the patch's
      v.tex[1] = (v.pos[1] - cap.ymin) / h;
    }
    out.indices = std::move(tri.indices);
  } catch (const std::bad_alloc&) {
    if (tess) gluDeleteTess(tess);
    return failed();
  }
  return out;
}
