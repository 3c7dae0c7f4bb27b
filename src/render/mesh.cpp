// Indexed triangles from immediate-mode style primitives, and GLU's quadric
// shapes generated the way GLU draws them.
#include "render/mesh.h"

#include <GL/gl.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>

namespace {

size_t hash_vertex(const MeshVertex& v) {
  uint32_t words[sizeof v / 4];
  std::memcpy(words, &v, sizeof words);
  uint64_t h = 0;
  for (uint32_t w : words) h = (h ^ w) * 0x9E3779B97F4A7C15ull;
  return static_cast<size_t>(h ^ (h >> 32));
}

}  // namespace

const void* vertex_field(const MeshVertex* client, size_t offset) {
  if (client == nullptr) return reinterpret_cast<const void*>(static_cast<uintptr_t>(offset));
  return reinterpret_cast<const unsigned char*>(client) + offset;
}

uint32_t MeshBuilder::index_of(const MeshVertex& v) {
  std::vector<MeshVertex>& all = mesh_.vertices;
  // Kept at most half full, so that probe runs stay short.
  if (2 * (all.size() + 1) > slots_.size()) {
    slots_.assign(slots_.empty() ? 1024 : 2 * slots_.size(), 0);
    const size_t mask = slots_.size() - 1;
    for (uint32_t i = 0; i < all.size(); i++) {
      size_t s = hash_vertex(all[i]) & mask;
      while (slots_[s] != 0) s = (s + 1) & mask;
      slots_[s] = i + 1;
    }
  }
  const size_t mask = slots_.size() - 1;
  size_t s = hash_vertex(v) & mask;
  while (slots_[s] != 0) {
    if (std::memcmp(&all[slots_[s] - 1], &v, sizeof v) == 0) return slots_[s] - 1;
    s = (s + 1) & mask;
  }
  if (all.size() >= UINT32_MAX - 1) throw std::bad_alloc();  // indices are 32 bits
  all.push_back(v);
  slots_[s] = static_cast<uint32_t>(all.size());
  return slots_[s] - 1;
}

void MeshBuilder::begin(unsigned mode) {
  mode_ = mode;
  open_ = mesh_.complete && mode != GL_POINTS && mode != GL_LINES && mode != GL_LINE_STRIP &&
          mode != GL_LINE_LOOP;
  prim_.clear();
}

void MeshBuilder::out_of_memory() {
  mesh_ = MeshData();
  mesh_.complete = false;
  std::vector<uint32_t>().swap(prim_);
  std::vector<uint32_t>().swap(slots_);
  open_ = false;
}

void MeshBuilder::normal(const float n[3]) {
  std::memcpy(current_.normal, n, sizeof current_.normal);
}

void MeshBuilder::tex(const float t[2]) {
  std::memcpy(current_.tex, t, sizeof current_.tex);
  mesh_.textured = true;
}

void MeshBuilder::vertex(const float p[3], float w) {
  if (!open_) return;
  for (int k = 0; k < 3; k++) current_.pos[k] = p[k] * w;
  current_.pos[3] = w;
  try {
    // Neighbouring strips repeat their shared row: each distinct vertex is kept once.
    prim_.push_back(index_of(current_));
  } catch (const std::bad_alloc&) {
    out_of_memory();
  }
}

void MeshBuilder::triangle(uint32_t a, uint32_t b, uint32_t c) {
  if (a == b || b == c || a == c) return;  // no area: nothing to rasterise
  // Counts reach GL as int.
  if (mesh_.indices.size() > static_cast<size_t>(INT_MAX) - 3) throw std::bad_alloc();
  mesh_.indices.insert(mesh_.indices.end(), {a, b, c});
}

void MeshBuilder::end() {
  if (!open_) return;
  open_ = false;
  try {
    split(prim_);
  } catch (const std::bad_alloc&) {
    out_of_memory();
  }
  prim_.clear();
}

void MeshBuilder::split(const std::vector<uint32_t>& v) {
  const size_t n = v.size();
  switch (mode_) {
    case GL_TRIANGLES:
      for (size_t i = 2; i < n; i += 3) triangle(v[i - 2], v[i - 1], v[i]);
      break;
    case GL_TRIANGLE_STRIP:
      // Every other triangle swaps its first two vertices to keep the winding.
      for (size_t i = 2; i < n; i++) {
        if (i % 2 == 0)
          triangle(v[i - 2], v[i - 1], v[i]);
        else
          triangle(v[i - 1], v[i - 2], v[i]);
      }
      break;
    case GL_TRIANGLE_FAN:
    case GL_POLYGON:
      for (size_t i = 2; i < n; i++) triangle(v[0], v[i - 1], v[i]);
      break;
    case GL_QUADS:
      for (size_t i = 3; i < n; i += 4) {
        triangle(v[i - 3], v[i - 2], v[i]);
        triangle(v[i - 2], v[i - 1], v[i]);
      }
      break;
    case GL_QUAD_STRIP:
      // Quad k is v2k, v2k+1, v2k+3, v2k+2, split along v2k .. v2k+3.
      for (size_t i = 0; i + 3 < n; i += 2) {
        triangle(v[i + 2], v[i], v[i + 3]);
        triangle(v[i], v[i + 1], v[i + 3]);
      }
      break;
    default:
      break;
  }
}

MeshData MeshBuilder::take() {
  MeshData out = std::move(mesh_);
  mesh_ = MeshData();
  slots_.clear();
  prim_.clear();
  open_ = false;
  return out;
}

// ---- GLU's quadrics ---------------------------------------------------------
// Angles, sines and radii are single precision where GLU keeps them so, so
// that every vertex lands where GLU's own does.

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr int CACHE = MAX_QUADRIC_SLICES + 1;

void put(MeshBuilder& out, float nx, float ny, float nz, float x, float y, float z) {
  const float n[3] = {nx, ny, nz};
  const float p[3] = {x, y, z};
  out.normal(n);
  out.vertex(p);
}

void put(MeshBuilder& out, float x, float y, float z) {
  const float p[3] = {x, y, z};
  out.vertex(p);
}

// Sine and cosine of a single precision angle, taken in double precision.
float sin_of(float angle) { return static_cast<float>(std::sin(static_cast<double>(angle))); }
float cos_of(float angle) { return static_cast<float>(std::cos(static_cast<double>(angle))); }

int held(int count) { return count > MAX_QUADRIC_SLICES ? MAX_QUADRIC_SLICES : count; }

}  // namespace

void build_sphere(MeshBuilder& out, float radius, int slices, int stacks) {
  slices = held(slices);
  stacks = held(stacks);
  if (slices < 2 || stacks < 2 || !(radius >= 0.0f)) return;
  float sin_a[CACHE], cos_a[CACHE];    // around the z axis
  float sin_b[CACHE], cos_b[CACHE];    // from the +z pole down, unit
  float rsin_b[CACHE], rcos_b[CACHE];  // the same times the radius
  for (int i = 0; i < slices; i++) {
    const float angle = static_cast<float>(2 * PI * i / slices);
    sin_a[i] = sin_of(angle);
    cos_a[i] = cos_of(angle);
  }
  sin_a[slices] = sin_a[0];
  cos_a[slices] = cos_a[0];
  for (int j = 0; j <= stacks; j++) {
    const float angle = static_cast<float>(PI * j / stacks);
    sin_b[j] = sin_of(angle);
    cos_b[j] = cos_of(angle);
    rsin_b[j] = static_cast<float>(radius * std::sin(static_cast<double>(angle)));
    rcos_b[j] = static_cast<float>(radius * std::cos(static_cast<double>(angle)));
  }
  rsin_b[0] = rsin_b[stacks] = 0.0f;  // the poles come to a point

  // Both ends are fans around the pole.
  out.begin(GL_TRIANGLE_FAN);
  put(out, sin_a[0] * sin_b[0], cos_a[0] * sin_b[0], cos_b[0], 0.0f, 0.0f, radius);
  for (int i = slices; i >= 0; i--)
    put(out, sin_a[i] * sin_b[1], cos_a[i] * sin_b[1], cos_b[1], rsin_b[1] * sin_a[i],
        rsin_b[1] * cos_a[i], rcos_b[1]);
  out.end();

  const int last = stacks - 1;
  out.begin(GL_TRIANGLE_FAN);
  put(out, sin_a[0] * sin_b[stacks], cos_a[0] * sin_b[stacks], cos_b[stacks], 0.0f, 0.0f, -radius);
  for (int i = 0; i <= slices; i++)
    put(out, sin_a[i] * sin_b[last], cos_a[i] * sin_b[last], cos_b[last], rsin_b[last] * sin_a[i],
        rsin_b[last] * cos_a[i], rcos_b[last]);
  out.end();

  for (int j = 1; j < last; j++) {
    out.begin(GL_QUAD_STRIP);
    for (int i = 0; i <= slices; i++) {
      put(out, sin_a[i] * sin_b[j + 1], cos_a[i] * sin_b[j + 1], cos_b[j + 1],
          rsin_b[j + 1] * sin_a[i], rsin_b[j + 1] * cos_a[i], rcos_b[j + 1]);
      put(out, sin_a[i] * sin_b[j], cos_a[i] * sin_b[j], cos_b[j], rsin_b[j] * sin_a[i],
          rsin_b[j] * cos_a[i], rcos_b[j]);
    }
    out.end();
  }
}

void build_cylinder(MeshBuilder& out, float base, float top, float height, int slices, int stacks) {
  slices = held(slices);
  if (slices < 2 || stacks < 1 || !(base >= 0.0f) || !(top >= 0.0f) || !(height >= 0.0f)) return;
  const float delta = base - top;
  const float length = std::sqrt(delta * delta + height * height);
  if (length == 0.0f) return;
  const float z_normal = delta / length;
  const float xy_normal = height / length;
  float sin_a[CACHE], cos_a[CACHE];  // around the z axis
  float sin_n[CACHE], cos_n[CACHE];  // the same in the normals' x-y part
  for (int i = 0; i < slices; i++) {
    const float angle = static_cast<float>(2 * PI * i / slices);
    sin_a[i] = sin_of(angle);
    cos_a[i] = cos_of(angle);
    sin_n[i] = static_cast<float>(xy_normal * std::sin(static_cast<double>(angle)));
    cos_n[i] = static_cast<float>(xy_normal * std::cos(static_cast<double>(angle)));
  }
  sin_a[slices] = sin_a[0];
  cos_a[slices] = cos_a[0];
  sin_n[slices] = sin_n[0];
  cos_n[slices] = cos_n[0];
  for (int j = 0; j < stacks; j++) {
    const float z_low = static_cast<float>(static_cast<double>(j) * height / stacks);
    const float z_high = static_cast<float>(static_cast<double>(j + 1) * height / stacks);
    const float r_low = base - delta * (static_cast<float>(j) / stacks);
    const float r_high = base - delta * (static_cast<float>(j + 1) / stacks);
    out.begin(GL_QUAD_STRIP);
    for (int i = 0; i <= slices; i++) {
      put(out, sin_n[i], cos_n[i], z_normal, r_low * sin_a[i], r_low * cos_a[i], z_low);
      put(out, r_high * sin_a[i], r_high * cos_a[i], z_high);
    }
    out.end();
  }
}

void build_disk(MeshBuilder& out, float outer, int slices, int loops) {
  slices = held(slices);
  if (slices < 2 || loops < 1 || !(outer > 0.0f)) return;
  float sin_a[CACHE], cos_a[CACHE];
  for (int i = 0; i <= slices; i++) {
    const float angle = static_cast<float>((PI * 360.0 / 180.0) * i / slices);
    sin_a[i] = sin_of(angle);
    cos_a[i] = cos_of(angle);
  }
  sin_a[slices] = sin_a[0];
  cos_a[slices] = cos_a[0];
  const float up[3] = {0.0f, 0.0f, 1.0f};
  out.normal(up);
  // The innermost ring is a fan around the centre, the others quad strips.
  out.begin(GL_TRIANGLE_FAN);
  put(out, 0.0f, 0.0f, 0.0f);
  const float r_in = outer - outer * (static_cast<float>(loops - 1) / loops);
  for (int i = slices; i >= 0; i--) put(out, r_in * sin_a[i], r_in * cos_a[i], 0.0f);
  out.end();
  for (int j = 0; j < loops - 1; j++) {
    const float r_low = outer - outer * (static_cast<float>(j) / loops);
    const float r_high = outer - outer * (static_cast<float>(j + 1) / loops);
    out.begin(GL_QUAD_STRIP);
    for (int i = 0; i <= slices; i++) {
      put(out, r_low * sin_a[i], r_low * cos_a[i], 0.0f);
      put(out, r_high * sin_a[i], r_high * cos_a[i], 0.0f);
    }
    out.end();
  }
}
