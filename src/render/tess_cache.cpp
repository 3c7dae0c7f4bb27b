// The tessellation cache. A surface is tessellated either by GLU's NURBS
// renderer in tessellator mode, with the very builders and sampling
// properties of nurbUtil.c, its triangles collected through callbacks; or by
// the modeller's own tessellator at the level of detail the view needs. The
// result is kept in buffer objects (client-side arrays where GL has no
// buffer objects).
#define GL_GLEXT_PROTOTYPES 1
#include "render/tess_cache.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <utility>

#include "app/scene.h"
#include "app/window.h"
#include "render/glu_capture.h"
#include "render/mesh.h"
#include "render/nurbUtil.h"
#include "render/tessellate.h"

int tess_cache_on = 1;
int tess_exact = 0;

namespace {

// Room for three surfaces of every record, and the quadric shapes.
constexpr int MAX_ENTRIES = 3 * MAX_RECORDS + 8;
// Arrays kept for surfaces that were not drawn in the current frame.
constexpr unsigned long STALE_BUDGET = 64ul << 20;

enum ShapeKind { SHAPE_SPHERE = 16, SHAPE_CYLINDER, SHAPE_DISK };

// What a tessellation depends on. Compared byte by byte up to the points
// of the silhouette, then the points in use.
struct Key {
  int kind;        // SurfaceKind or ShapeKind
  int counts[3];   // res and level of detail (-1: GLU's); or slices, stacks
  float sizes[3];  // cap depth; or radii and height
  Silhouette sil;  // of a surface; zero for a shape
};

struct GpuMesh {
  unsigned vertex_buffer = 0;  // GL buffer names, 0 without buffer objects
  unsigned index_buffer = 0;
  int index_count = 0;      // three per triangle
  bool textured = false;    // has texture coordinates
  unsigned long bytes = 0;  // size of the arrays
  MeshData arrays;          // kept only while there are no buffer objects
};

struct Entry {
  bool used = false;
  Key key;
  size_t hash = 0;
  unsigned long frame = 0;  // the last frame that drew it
  GpuMesh mesh;
};

Entry entries[MAX_ENTRIES];

// The level of detail of a silhouette's surfaces, with what the views of the
// frames asked for.
struct DetailState {
  bool used = false;
  Key key;  // kind SURFACE_REVOLUTION or SURFACE_SIDES, res, the silhouette
  size_t hash = 0;
  int level = 0;            // drawn at
  int need = 0;             // the most any view asked for in the frame below
  unsigned long frame = 0;  // the last frame that asked
};
DetailState details[MAX_ENTRIES];

unsigned long frame_number = 0;
long builds = 0;
int buffer_support = -1;       // -1 not yet asked, 0 client arrays, 1 buffer objects
bool memory_reported = false;  // the out-of-memory message was printed

size_t key_size(const Key& k) {
  return offsetof(Key, sil) + offsetof(Silhouette, pts) + sizeof(float[2]) * k.sil.count;
}

size_t hash_key(const Key& k) {
  unsigned char bytes[sizeof(Key)];
  const size_t size = key_size(k);
  std::memcpy(bytes, &k, size);
  size_t h = 1469598103934665603ull;  // FNV-1a
  for (size_t i = 0; i < size; i++) h = (h ^ bytes[i]) * 1099511628211ull;
  return h;
}

bool same_key(const Key& a, const Key& b) {
  return a.sil.count == b.sil.count && std::memcmp(&a, &b, key_size(a)) == 0;
}

// The cache serves one GL context: the "display" window's, or an off-screen
// one while it is open; anything drawn elsewhere goes the uncached way.
bool offscreen_mode = false;

bool cache_usable() {
  if (!tess_cache_on) return false;
  if (offscreen_mode) return true;
  return display_window != 0 && glutGetWindow() == display_window;
}

bool has_buffers() {
  if (buffer_support < 0) {
    int major = 0, minor = 0;
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (version == nullptr || std::sscanf(version, "%d.%d", &major, &minor) != 2) major = minor = 0;
    buffer_support = major > 1 || (major == 1 && minor >= 5);
  }
  return buffer_support == 1;
}

void release(GpuMesh& m) {
  if (m.vertex_buffer || m.index_buffer) {
    const GLuint names[2] = {m.vertex_buffer, m.index_buffer};
    glDeleteBuffers(2, names);
  }
  m = GpuMesh();
}

// Puts the arrays into buffer objects; keeps them client-side when GL has
// none or could not take them.
void upload(GpuMesh& m, MeshData&& data) {
  m = GpuMesh();
  m.index_count = static_cast<int>(data.indices.size());
  m.textured = data.textured;
  m.bytes = data.bytes();
  m.arrays = std::move(data);
  if (m.index_count == 0 || !has_buffers()) return;
  GLuint names[2] = {0, 0};
  glGenBuffers(2, names);
  const GLsizeiptr vertex_bytes = m.arrays.vertices.size() * sizeof(MeshVertex);
  const GLsizeiptr index_bytes = m.arrays.indices.size() * sizeof(uint32_t);
  GLint vertex_stored = 0, index_stored = 0;
  glBindBuffer(GL_ARRAY_BUFFER, names[0]);
  glBufferData(GL_ARRAY_BUFFER, vertex_bytes, m.arrays.vertices.data(), GL_STATIC_DRAW);
  glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &vertex_stored);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, names[1]);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, index_bytes, m.arrays.indices.data(), GL_STATIC_DRAW);
  glGetBufferParameteriv(GL_ELEMENT_ARRAY_BUFFER, GL_BUFFER_SIZE, &index_stored);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  if (vertex_stored != vertex_bytes || index_stored != index_bytes) {
    glDeleteBuffers(2, names);  // out of buffer memory: draw from the client-side copy
    return;
  }
  m.vertex_buffer = names[0];
  m.index_buffer = names[1];
  m.arrays = MeshData();
}

void draw_mesh(const GpuMesh& m) {
  if (m.index_count == 0) return;
  const MeshVertex* client = nullptr;  // null: the fields are offsets into the buffers
  const void* indices = nullptr;
  if (m.vertex_buffer) {
    glBindBuffer(GL_ARRAY_BUFFER, m.vertex_buffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m.index_buffer);
  } else {
    client = m.arrays.vertices.data();
    indices = m.arrays.indices.data();
  }
  const GLsizei stride = sizeof(MeshVertex);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glVertexPointer(4, GL_FLOAT, stride, vertex_field(client, offsetof(MeshVertex, pos)));
  glNormalPointer(GL_FLOAT, stride, vertex_field(client, offsetof(MeshVertex, normal)));
  // Without texturing the coordinates would only be carried along.
  const bool textured = m.textured && (glIsEnabled(GL_TEXTURE_1D) || glIsEnabled(GL_TEXTURE_2D));
  if (textured) {
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, stride, vertex_field(client, offsetof(MeshVertex, tex)));
  }
  glDrawElements(GL_TRIANGLES, m.index_count, GL_UNSIGNED_INT, indices);
  // Everything else draws in immediate mode or from its own client memory.
  if (textured) glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_NORMAL_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  if (m.vertex_buffer) {
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  }
}

MeshData glu_tessellation(const Key& k) {
  const SurfaceKind kind = static_cast<SurfaceKind>(k.kind);
  return glu_surface_triangles(kind, k.sil, k.sizes[0]);
}

// The modeller's own triangles of a surface at the key's level of detail.
MeshData own_tessellation(const Key& k) {
  const bool revolution = k.kind == SURFACE_REVOLUTION;
  const Sampling at = choose_sampling(k.sil, revolution, level_scale(k.counts[1]), k.counts[0]);
  switch (k.kind) {
    case SURFACE_REVOLUTION:
      return tessellate_revolution(k.sil, at);
    case SURFACE_SIDES:
      return tessellate_sides(k.sil, at);
    default:
      return tessellate_cap(k.sil, k.kind == SURFACE_BACK_CAP ? nurbBACK : nurbFRONT, k.sizes[0],
                            at);
  }
}

MeshData tessellate_surface(const Key& k) {
  return k.counts[1] < 0 ? glu_tessellation(k) : own_tessellation(k);
}

MeshData tessellate_shape(const Key& k) {
  MeshBuilder out;
  switch (k.kind) {
    case SHAPE_SPHERE:
      build_sphere(out, k.sizes[0], k.counts[0], k.counts[1]);
      break;
    case SHAPE_CYLINDER:
      build_cylinder(out, k.sizes[0], k.sizes[1], k.sizes[2], k.counts[0], k.counts[1]);
      break;
    default:
      build_disk(out, k.sizes[0], k.counts[0], k.counts[1]);
      break;
  }
  return out.take();
}

// ---- Entries ------------------------------------------------------------------

// Makes room for one more entry: drops what the last frame did not draw
// (oldest first) while that holds more than the budget, and the least
// recently drawn entry when every slot is taken.
Entry& free_entry() {
  for (;;) {
    unsigned long stale = 0;
    Entry* free_slot = nullptr;
    Entry* oldest_stale = nullptr;
    Entry* oldest = nullptr;
    for (Entry& e : entries) {
      if (!e.used) {
        if (free_slot == nullptr) free_slot = &e;
        continue;
      }
      if (oldest == nullptr || e.frame < oldest->frame) oldest = &e;
      if (e.frame + 1 < frame_number) {  // drawn neither in this frame nor the last
        stale += e.mesh.bytes;
        if (oldest_stale == nullptr || e.frame < oldest_stale->frame) oldest_stale = &e;
      }
    }
    Entry* victim = nullptr;
    if (stale > STALE_BUDGET)
      victim = oldest_stale;
    else if (free_slot == nullptr)
      victim = oldest_stale ? oldest_stale : oldest;
    if (victim == nullptr) return *free_slot;
    release(victim->mesh);
    victim->used = false;
  }
}

// The entry of k, tessellated first when the cache has none; null when
// there was not memory enough to hold the tessellation.
const GpuMesh* find_or_build(Key& k) {
  const size_t h = hash_key(k);
  for (Entry& e : entries) {
    if (e.used && e.hash == h && same_key(e.key, k)) {
      e.frame = frame_number;
      return &e.mesh;
    }
  }
  MeshData data = k.kind >= SHAPE_SPHERE ? tessellate_shape(k) : tessellate_surface(k);
  builds++;
  if (!data.complete) {
    if (!memory_reported)
      std::fprintf(stderr,
                   "silmod: out of memory for a surface's triangles; drawing it uncached\n");
    memory_reported = true;
    return nullptr;
  }
  Entry& e = free_entry();
  upload(e.mesh, std::move(data));
  e.used = true;
  e.key = k;
  e.hash = h;
  e.frame = frame_number;
  return &e.mesh;
}

Key shape_key(int kind, int slices, int stacks, float a, float b, float c) {
  Key k;
  std::memset(&k, 0, sizeof k);
  k.kind = kind;
  k.counts[0] = slices;
  k.counts[1] = stacks;
  k.sizes[0] = a;
  k.sizes[1] = b;
  k.sizes[2] = c;
  return k;
}

// GLU's own quadric, drawn at once.
template <class F>
void glu_quadric(F draw) {
  GLUquadric* q = gluNewQuadric();
  if (q == nullptr) return;
  gluQuadricNormals(q, GLU_SMOOTH);
  draw(q);
  gluDeleteQuadric(q);
}

// How the box lo..hi of the current object's coordinates shows under GL's
// current matrices and viewport.
BoxView current_box_view(const float lo[3], const float hi[3]) {
  GLfloat mv[16], pr[16];
  GLint vp[4];
  glGetFloatv(GL_MODELVIEW_MATRIX, mv);
  glGetFloatv(GL_PROJECTION_MATRIX, pr);
  glGetIntegerv(GL_VIEWPORT, vp);
  return box_view(mv, pr, vp, lo, hi);
}

// The box a silhouette's surface lies in: about the y axis for a
// revolution, between the caps for the others.
void surface_box(SurfaceKind kind, const Silhouette& s, float lo[3], float hi[3]) {
  float radius = 0.0f;
  lo[0] = hi[0] = s.pts[0][0];
  lo[1] = hi[1] = s.pts[0][1];
  for (int k = 0; k < s.count; k++) {
    lo[0] = std::fmin(lo[0], s.pts[k][0]);
    hi[0] = std::fmax(hi[0], s.pts[k][0]);
    lo[1] = std::fmin(lo[1], s.pts[k][1]);
    hi[1] = std::fmax(hi[1], s.pts[k][1]);
    radius = std::fmax(radius, std::fabs(s.pts[k][0]));
  }
  if (kind == SURFACE_REVOLUTION) {
    lo[0] = lo[2] = -radius;
    hi[0] = hi[2] = radius;
  } else {
    lo[2] = -NURB_EXTRUSION_HALF_DEPTH;
    hi[2] = NURB_EXTRUSION_HALF_DEPTH;
  }
}

// The silhouette's part of a key, as the sides, caps or revolution share it.
Key detail_key(SurfaceKind kind, const Silhouette& s) {
  Key k;
  std::memset(&k, 0, sizeof k);
  k.kind = kind == SURFACE_REVOLUTION ? SURFACE_REVOLUTION : SURFACE_SIDES;
  k.counts[0] = res;
  k.sil.order = s.order;
  k.sil.knot_type = s.knot_type;
  k.sil.count = s.count;
  std::memcpy(k.sil.pts, s.pts, sizeof(float[2]) * s.count);
  return k;
}

// The routines exported programs call, with the silhouette's own arrays.
void draw_uncached(SurfaceKind kind, const Silhouette& s, float depth) {
  const bool closed = s.knot_type == periodic;
  float(*pts)[2] = const_cast<float(*)[2]>(s.pts);
  switch (kind) {
    case SURFACE_REVOLUTION:
      if (closed)
        nurbSolidSurfRevPeriodic(s.order, s.count, pts);
      else
        nurbSurfRevOpen(s.order, s.count, pts);
      break;
    case SURFACE_SIDES:
      if (closed)
        nurbExtSidesPeriodic(s.order, s.count, pts);
      else
        nurbExtSidesOpen(s.order, s.count, pts);
      break;
    case SURFACE_FRONT_CAP:
    case SURFACE_BACK_CAP: {
      const int side = kind == SURFACE_BACK_CAP ? nurbBACK : nurbFRONT;
      if (closed)
        nurbCapPeriodic(s.order, s.count, pts, side, depth);
      else
        nurbCapOpen(s.order, s.count, pts, side, depth);
      break;
    }
  }
}

}  // namespace

void draw_surface(SurfaceKind kind, const Silhouette& s, float depth) {
  // A silhouette that makes no surface is left to the routines, which refuse it.
  if (!cache_usable() || nurb_check(&s) != NURB_OK) {
    draw_uncached(kind, s, depth);
    return;
  }
  const bool cap = kind == SURFACE_FRONT_CAP || kind == SURFACE_BACK_CAP;
  if (cap)
    nurb_cap_state(kind == SURFACE_BACK_CAP ? nurbBACK : nurbFRONT);
  else
    nurb_sides_state();
  Key k = detail_key(kind, s);
  k.kind = kind;
  k.sizes[0] = cap ? depth : 0.0f;
  if (tess_exact) {
    k.counts[1] = -1;
  } else {
    float lo[3], hi[3];
    surface_box(kind, s, lo, hi);
    const BoxView view = current_box_view(lo, hi);
    if (view.outside) {  // no pixel to draw: neither tessellated nor drawn
      if (cap) nurb_cap_done();
      return;
    }
    k.counts[1] = settle_detail_level(kind, s, detail_level(view.pixels_per_unit));
  }
  if (const GpuMesh* mesh = find_or_build(k))
    draw_mesh(*mesh);
  else
    draw_uncached(kind, s, depth);
  if (cap) nurb_cap_done();
}

void draw_solid_sphere(float radius, int slices, int stacks) {
  Key k = shape_key(SHAPE_SPHERE, slices, stacks, radius, 0, 0);
  if (const GpuMesh* mesh = cache_usable() ? find_or_build(k) : nullptr)
    draw_mesh(*mesh);
  else
    glu_quadric([&](GLUquadric* q) { gluSphere(q, radius, slices, stacks); });
}

void draw_solid_cylinder(float base, float top, float height, int slices, int stacks) {
  Key k = shape_key(SHAPE_CYLINDER, slices, stacks, base, top, height);
  if (const GpuMesh* mesh = cache_usable() ? find_or_build(k) : nullptr)
    draw_mesh(*mesh);
  else
    glu_quadric([&](GLUquadric* q) { gluCylinder(q, base, top, height, slices, stacks); });
}

void draw_solid_disk(float outer, int slices, int loops) {
  Key k = shape_key(SHAPE_DISK, slices, loops, outer, 0, 0);
  if (const GpuMesh* mesh = cache_usable() ? find_or_build(k) : nullptr)
    draw_mesh(*mesh);
  else
    glu_quadric([&](GLUquadric* q) { gluDisk(q, 0.0, outer, slices, loops); });
}

int settle_detail_level(SurfaceKind kind, const Silhouette& s, int need) {
  const Key k = detail_key(kind, s);
  const size_t h = hash_key(k);
  DetailState* state = nullptr;
  DetailState* oldest = &details[0];
  for (DetailState& d : details) {
    if (d.used && d.hash == h && same_key(d.key, k)) {
      state = &d;
      break;
    }
    if (!d.used || (oldest->used && d.frame < oldest->frame)) oldest = &d;
  }
  if (state == nullptr) {
    state = oldest;
    state->used = true;
    state->key = k;
    state->hash = h;
    state->level = state->need = need;
    state->frame = frame_number;
    return need;
  }
  if (state->frame != frame_number) {
    // A new frame: the frames since the last ask decide whether to come down.
    if (state->need <= state->level - 2) state->level = state->need + 1;
    state->need = need;
    state->frame = frame_number;
  } else if (need > state->need) {
    state->need = need;
  }
  // A rise goes a step further, so that a view moving on by a little does not
  // ask again at once.
  if (need > state->level) state->level = need < MAX_DETAIL_LEVEL ? need + 1 : need;
  return state->level;
}

void tess_cache_frame() { frame_number++; }

long tess_cache_builds() { return builds; }

unsigned long tess_cache_bytes() {
  unsigned long total = 0;
  for (const Entry& e : entries)
    if (e.used) total += e.mesh.bytes;
  return total;
}

// Every entry dropped, its buffers freed in the context they belong to.
static void drop_entries() {
  bool buffers = false;
  for (const Entry& e : entries) buffers = buffers || e.mesh.vertex_buffer != 0;
  // Outside the off-screen mode the names belong to the "display" window's context.
  const bool switch_window = buffers && !offscreen_mode && display_window != 0;
  const int window = switch_window ? glutGetWindow() : 0;
  if (switch_window) select_display_window();
  for (Entry& e : entries) {
    if (e.used) release(e.mesh);
    e.used = false;
  }
  if (window != 0 && window != display_window) glutSetWindow(window);
  for (DetailState& d : details) d = DetailState();
}

void tess_cache_offscreen(bool on) {
  if (on == offscreen_mode) return;
  drop_entries();
  offscreen_mode = on;
}

void reset_tess_cache() {
  drop_entries();
  tess_cache_on = 1;
  tess_exact = 0;
  frame_number = 0;
  builds = 0;
  buffer_support = -1;
  memory_reported = false;
}
