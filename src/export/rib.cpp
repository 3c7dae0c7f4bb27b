// The RIB text is fixed apart from the numbers taken from the scene; the
// spacing of every write is part of the format and is kept as it stands.
#include "export/rib.h"

#include <cstring>

#include "app/scene.h"
#include "export/export_common.h"
#include "io/code_table.h"
#include "io/file_util.h"
#include "render/nurbUtil.h"

namespace {

constexpr int MAX_WRAPPED = MAX_SIL_POINTS + 3;  // silhouette plus wrapped points

// Bounding box of a cap's silhouette.
struct Box {
  float xmin, xmax, ymin, ymax;
  bool flat() const { return !(xmax > xmin) || !(ymax > ymin); }
};

Box box_of(const Silhouette& s) {
  const float(*points)[2] = s.pts;
  Box b{points[0][0], points[0][0], points[0][1], points[0][1]};
  for (int k = 1; k < s.count; k++) {
    if (points[k][0] < b.xmin) b.xmin = points[k][0];
    if (points[k][0] > b.xmax) b.xmax = points[k][0];
    if (points[k][1] < b.ymin) b.ymin = points[k][1];
    if (points[k][1] > b.ymax) b.ymax = points[k][1];
  }
  return b;
}

bool writable(const Silhouette& s) { return nurb_check(&s) == NURB_OK; }

void write_header(FILE* out) {
  std::fputs("##RenderMan RIB-Structure 1.0 \n", out);
  std::fputs("Display \"image.jpg\" \"file\" \"rgb\" \n", out);
  std::fputs("Format 600 600 1 \n", out);
  std::fputs("ShadingRate 1 \n", out);
  std::fputs("Projection \"perspective\" \"fov\" [30] \n", out);
  std::fprintf(out, "Translate 0.0 0.0 %d  \n", distance);
  std::fprintf(out, "Rotate %d 1.0 0.0 0.0  \n", -latitude);
  std::fprintf(out, "Rotate %d 0.0 1.0 0.0 \n", longitude);
  std::fputs("ConcatTransform [1 0 0 0 0 1 0 0 0 0 -1 0 0 0 0 1] \n", out);
  std::fputs("WorldBegin \n", out);
  std::fputs("Declare \"shadows\" \"string\" \n", out);
  std::fputs("Attribute \"light\" \"shadows\" \"on\" \n \n ", out);
  std::fputs("##Light Sources \n \n", out);
}

void write_light_color(FILE* out, const ObjectRecord& rec) {
  std::fprintf(out, " \"lightcolor\" [%3.2f %3.2f %3.2f] \n ", rec.color[0], rec.color[1],
               rec.color[2]);
}

void write_light_from(FILE* out, const ObjectRecord& rec) {
  std::fprintf(out, " \"from\" [%3.2f %3.2f %3.2f] ", rec.position[0], rec.position[1],
               rec.position[2]);
}

// Trailing text of the "to" and intensity writes, light 1..5.
const char* const DISTANT_TO[5] = {" \"to\" [0.0 0.0 0.0]  ", " \"to\" [0.0 0.0 0.0] ",
                                   " \"to\" [0.0 0.0 0.0]  ", " \"to\" [0.0 0.0 0.0] ",
                                   " \"to\" [0.0 0.0 0.0] "};
const char* const DISTANT_INTENSITY[5] = {" \"intensity\" 1.00 ", " \"intensity\" 1.00 ",
                                          " \"intensity\" 1.00 ", " \"intensity\" 1.00  ",
                                          " \"intensity\" 1.00   "};
const char* const POINT_INTENSITY[5] = {" \"intensity\" 1.00   ", " \"intensity\" 1.00    ",
                                        " \"intensity\" 1.00  ", " \"intensity\" 1.00   \n",
                                        " \"intensity\" 1.00   \n"};

// A light bound to an entry without lines is written as if it were unbound:
// its bare "from" would otherwise attach itself to the request before it.
void write_lights(FILE* out) {
  if (light_on[0] != 0) {
    const CodeEntry* code = bound_code(0);
    if (CodeBindingTable[0] > 0 && code_line_count(code) > 0) {
      write_code_lines(out, code);
    } else {
      std::fputs("LightSource \"ambientlight\" 0 \"intensity\" 10.00 ", out);
      write_light_color(out, ObjectTable[0]);
    }
  }
  for (int k = 1; k <= LAST_LIGHT; k++) {
    if (light_on[k] == 0) continue;
    const ObjectRecord& rec = ObjectTable[k];
    const CodeEntry* code = bound_code(k);
    if (CodeBindingTable[k] > 0 && code_line_count(code) > 0) {
      write_code_lines(out, code);
      write_light_from(out, rec);
      write_light_color(out, rec);
    } else if (rec.position[3] == 0.0f) {
      std::fprintf(out, "LightSource \"distantlight\" %d ", k);
      write_light_from(out, rec);
      std::fputs(DISTANT_TO[k - 1], out);
      std::fputs(DISTANT_INTENSITY[k - 1], out);
      write_light_color(out, rec);
    } else {
      std::fprintf(out, "LightSource \"newlight\" %d ", k);
      write_light_from(out, rec);
      std::fputs(POINT_INTENSITY[k - 1], out);
      write_light_color(out, rec);
    }
  }
  std::fputs("\n##Surfaces \n", out);
}

void write_end(FILE* out) { std::fputs("AttributeEnd \n \n ", out); }

void write_box(FILE* out) {
  std::fputs("Patch \"bilinear\" \"P\" [5 10 -5 5 10 5 5 0 -5 5 0 5 ] \n", out);
  std::fputs("Patch \"bilinear\" \"P\"  [-5 10 -5 -5 10 5 5 10 -5 5 10 5 ]  \n", out);
  std::fputs("Patch \"bilinear\" \"P\"  [-5 0 5 -5 0 -5 5 0 5 5 0 -5  ] \n", out);
  std::fputs("Patch \"bilinear\" \"P\" [5 10 5 -5 10 5 5 0 5 -5 0 5  ] \n", out);
  std::fputs("Patch \"bilinear\" \"P\"  [-5 10 5 -5 10 -5 -5 0 5 -5 0 -5 ] \n", out);
  std::fputs("Patch \"bilinear\" \"P\" [-5 10 -5 5 10 -5 -5 0 -5 5 0 -5  ] \n", out);
}

void write_cylinder(FILE* out) {
  std::fputs("Cylinder 5.0 0.0 10.0 360.0  \n", out);
  std::fputs("Disk 10.0 5.0 360.0  \n", out);
  std::fputs("Rotate 180.0 1.0 0.0 0.0 \n", out);
  std::fputs("Disk 0.0 5.0 360.0  \n", out);
}

void write_cone(FILE* out) {
  std::fputs("Disk 12.0 5.0 360.0  \n", out);
  std::fputs("Rotate 180.0 1.0 0.0 0.0 \n", out);
  std::fputs("Translate 0.0 0.0 -12.0 \n", out);
  std::fputs("Cone 12.0 5.0 360.0   \n", out);
}

// The silhouette swept about the y axis: v runs around the nine-point
// rational circle, u along the silhouette (fastest, as RIB wants it).
void write_revolution(FILE* out, const Silhouette& s) {
  const float(*points)[2] = s.pts;
  const int n = s.count - 1;  // the last point
  std::fputs("NuPatch ", out);
  write_knot_vector(out, s);
  std::fputs("9 3 [0.0 0.0 0.0 0.25 0.25 0.50 0.50 0.75 0.75 1.0 1.0 1.0] 0 1  \n", out);
  std::fputs(" \"Pw\" [", out);
  for (int j = 0; j < 9; j++) {
    const float a = CircleTable[j][0], b = CircleTable[j][1], w = CircleTable[j][2];
    auto point = [&](int k) {
      float x = points[k][0] * a, y = points[k][1] * w, z = points[k][0] * b;
      std::fprintf(out, " %3.2f  %3.2f  %3.2f  %3.2f ", x, y, z, w);
    };
    for (int k = 0; k <= n; k++) {
      point(k);
      if (k % 10 == 0) std::fputs(" \n", out);
    }
    if (s.knot_type == periodic) {
      for (int k = 0; k < s.order - 1; k++) point(k);
      if ((n + 1) % 10 == 0) std::fputs(" \n", out);
    }
  }
  std::fputs("] \n", out);
}

void write_extrusion_side(FILE* out, const Silhouette& s) {
  std::fputs("NuPatch 2 2 [0 0 1 1] 0 1 ", out);
  write_knot_vector(out, s);
  write_extrusion_points(out, s);
}

// A cap is one bilinear patch over the silhouette's box, cut to the outline
// by the trim curve, which holds for both caps of an extrusion.
void write_caps(FILE* out, const Silhouette& s, const Box& b, bool back, bool front) {
  write_trim_curve(out, s, b.xmax, b.xmin, b.ymax, b.ymin);
  const char* const head = " NuPatch 2 2 [ 0 0 1 1 ] 0 1 2 2 [ 0 0 1 1 ] 0 1 ";
  if (back) {
    std::fputs(head, out);
    std::fprintf(out, "\"P\"[%3.2f %3.2f -5.0 %3.2f  %3.2f -5 %3.2f %3.2f -5 %3.2f %3.2f -5 ]   \n",
                 b.xmin, b.ymin, b.xmax, b.ymin, b.xmin, b.ymax, b.xmax, b.ymax);
  }
  if (front) {
    std::fputs(head, out);
    std::fprintf(out, "\"P\"[%3.2f %3.2f 5.0 %3.2f  %3.2f 5 %3.2f %3.2f 5 %3.2f %3.2f 5 ]   \n",
                 b.xmin, b.ymin, b.xmax, b.ymin, b.xmin, b.ymax, b.xmax, b.ymax);
  }
}

void write_object(FILE* out, int i) {
  const ObjectRecord& rec = ObjectTable[i];
  const int type = rec.surfacetype;
  const bool from_silhouette = is_silhouette_type(type);
  if (from_silhouette && !silhouette_usable(rec)) return;

  // The revolution takes the silhouette as drawn, the others reversed.
  Silhouette s;
  std::memset(&s, 0, sizeof s);
  bool capped = false;
  Box box{};
  if (from_silhouette) {
    s.order = rec.order;
    s.knot_type = rec.knots;
    s.count = rec.silend + 1;
    for (int k = 0; k < s.count; k++) {
      int src = type == TYPE_REVOLUTION ? k : rec.silend - k;
      s.pts[k][0] = rec.sil[src][0];
      s.pts[k][1] = rec.sil[src][1];
    }
    capped = silhouette_closed(rec) || rec.knots == 1;
    box = box_of(s);
    // A cap needs a closed outline and a box with area; a face without
    // one has nothing to show.
    if ((type == TYPE_FFACE || type == TYPE_BFACE) && (!capped || box.flat())) return;
    capped = capped && !box.flat();
  }

  std::fputs("## ", out);
  std::fwrite(rec.name, 1, strnlen(rec.name, NAME_SIZE), out);
  std::fputs(" \n", out);
  std::fputs("AttributeBegin \n", out);
  std::fprintf(out, "Translate %3.1f %3.1f %3.1f \n", rec.position[0], rec.position[1],
               rec.position[2]);
  std::fprintf(out, "Rotate %d 0.0 1.0 0.0 \n", rec.angles[1]);
  std::fprintf(out, "Rotate %d 1.0 0.0 0.0 \n", rec.angles[0]);
  std::fprintf(out, "Rotate %d 0.0 0.0 1.0 \n", rec.angles[2]);
  std::fprintf(out, "Scale  %3.2f %3.2f %3.2f \n", rec.scales[0], rec.scales[1], rec.scales[2]);
  std::fprintf(out, "Color[%3.2f %3.2f %3.2f] \n ", rec.color[0], rec.color[1], rec.color[2]);
  write_code_lines(out, bound_code(i));

  switch (type) {
    case TYPE_BOX:
      write_box(out);
      break;
    case TYPE_SPHERE:
      std::fputs("Sphere 10.0 -10.0 10.0 360.0 \n", out);
      break;
    case TYPE_CYLINDER:
      write_cylinder(out);
      break;
    case TYPE_CONE:
      write_cone(out);
      break;
    case TYPE_REVOLUTION:
      write_revolution(out, s);
      break;
    case TYPE_EXTRUSION:
      write_extrusion_side(out, s);
      if (capped) write_caps(out, s, box, true, true);
      break;
    case TYPE_OPENEXT:
      write_extrusion_side(out, s);
      break;
    case TYPE_FFACE:
      write_caps(out, s, box, false, true);
      break;
    case TYPE_BFACE:
      write_caps(out, s, box, true, false);
      break;
    default:
      break;  // unknown type: no geometry, but the block is still closed
  }
  write_end(out);
}

}  // namespace

// The patterns count in last point indices: n is the silhouette's last point.
void write_knot_vector(FILE* out, const Silhouette& s) {
  if (!writable(s)) return;
  const int n = s.count - 1, order = s.order, knots = s.knot_type;
  if (knots == 0 && order == 3) {
    std::fprintf(out, "%d 3 [ 0 0 0 ", n + 1);
    for (int v = 1; v <= n - 2; v++) std::fprintf(out, " %2d ", v);
    std::fprintf(out, "%2d %2d %2d ] 0 %d \n", n - 1, n - 1, n - 1, n - 1);
  } else if (knots == 0 && order == 4) {
    std::fprintf(out, "%d 4 [ 0 0 0 0 ", n + 1);
    for (int v = 1; v <= n - 3; v++) std::fprintf(out, " %2d ", v);
    std::fprintf(out, "%2d %2d %2d %2d ] 0 %d ", n - 2, n - 2, n - 2, n - 2, n - 2);
  } else if (knots == 1 && order == 3) {
    std::fprintf(out, "%d 3 [  ", n + 3);
    for (int v = 0; v <= n + 5; v++) std::fprintf(out, " %2d ", v);
    std::fprintf(out, " ] 2 %d \n", n + 3);
  } else if (knots == 1 && order == 4) {
    std::fprintf(out, "%d 4 [  ", n + 4);
    for (int v = 0; v <= n + 7; v++) std::fprintf(out, " %2d ", v);
    std::fprintf(out, " ] 3 %d \n", n + 4);
  }
}

void write_extrusion_points(FILE* out, const Silhouette& s) {
  if (!writable(s)) return;
  const int n = s.count - 1, order = s.order, knots = s.knot_type;
  const float(*points)[2] = s.pts;
  auto pair = [&](int k, const char* pattern) {
    std::fprintf(out, pattern, points[k][0], points[k][1], -5.0f);
    std::fprintf(out, pattern, points[k][0], points[k][1], 5.0f);
  };
  const char* wide = " %3.2f  %3.2f  %3.2f  ";
  const char* narrow = " %3.2f  %3.2f  %3.2f ";
  std::fputs(" \"P\" [", out);
  for (int k = 0; k <= n; k++) pair(k, wide);
  if (knots == 1) {
    pair(0, wide);
    pair(1, order == 4 ? narrow : wide);
    if (order == 4) pair(2, narrow);
    if ((n + 1) % 10 == 0) std::fputs(" \n", out);
  }
  std::fputs("] \n", out);
}

void write_trim_curve(FILE* out, const Silhouette& s, float xmax, float xmin, float ymax,
                      float ymin) {
  if (!writable(s)) return;
  const int n = s.count - 1, order = s.order, knots = s.knot_type;
  const float(*points)[2] = s.pts;
  float u[MAX_WRAPPED], v[MAX_WRAPPED];
  const float width = xmax - xmin, height = ymax - ymin;
  for (int k = 0; k <= n; k++) {
    u[k] = (points[k][0] - xmin) / width;
    v[k] = (points[k][1] - ymin) / height;
  }
  int count = n + 1;
  if (knots == 1) {
    for (int k = 0; k < order - 1; k++) {
      u[count] = u[k];
      v[count] = v[k];
      count++;
    }
  }

  std::fprintf(out, " TrimCurve [1] [%d] ", order);
  if (knots == 0 && order == 3) {
    std::fputs(" [ 0 0 0 ", out);
    for (int k = 1; k <= n - 2; k++) std::fprintf(out, "%2d ", k);
    std::fprintf(out, "%2d %2d %2d ] [0] [%2d] [ %d ] [ ", n - 1, n - 1, n - 1, n - 1, n + 1);
  } else if (knots == 0 && order == 4) {
    std::fputs(" [ 0 0 0 0", out);
    for (int k = 1; k <= n - 3; k++) std::fprintf(out, "%2d ", k);
    std::fprintf(out, "%2d %2d %2d %2d ] [0] [%2d] [ %2d ] [ ", n - 2, n - 2, n - 2, n - 2, n - 2,
                 n + 1);
  } else if (knots == 1 && order == 3) {
    std::fputs(" [  ", out);
    for (int k = 0; k <= n + 5; k++) std::fprintf(out, "%2d ", k);
    std::fprintf(out, "] [2] [%2d] [ %d ] [ ", n + 3, n + 3);
  } else {
    std::fputs(" [  ", out);
    for (int k = 0; k <= n + 7; k++) std::fprintf(out, " %2d ", k);
    std::fprintf(out, " ] [3] [%2d] [%2d] [", n + 4, n + 4);
  }
  for (int k = 0; k < count; k++) std::fprintf(out, " %3.2f ", u[k]);
  std::fputs("] [", out);
  for (int k = 0; k < count; k++) std::fprintf(out, " %3.2f ", v[k]);
  std::fputs("] [", out);
  for (int k = 0; k < count; k++) std::fputs(" 1 ", out);
  std::fputs("]  \n", out);
}

void write_rib_text(FILE* out) {
  write_header(out);
  write_lights(out);
  for (int i = FIRST_OBJECT; i <= last_record && i < MAX_RECORDS; i++) write_object(out, i);
  std::fputs("WorldEnd", out);
}

bool write_rib(const char* file_name) { return replace_file(file_name, write_rib_text); }
