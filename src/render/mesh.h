// Captured geometry: the primitives a tessellator or a shape generator emits,
// turned into indexed triangles over shared vertices. Pure data: no GL calls,
// only GL's primitive codes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct MeshVertex {
  float pos[4];     // homogeneous object coordinates; w is 1 except on rational surfaces
  float normal[3];  // as given, not normalised
  float tex[2];     // texture coordinates, zero when none were given
};

// The triangles of a mesh, ready to be handed to GL as arrays.
struct MeshData {
  std::vector<MeshVertex> vertices;  // each distinct vertex once
  std::vector<uint32_t> indices;     // three per triangle, wound as emitted
  bool textured = false;             // texture coordinates were given
  bool complete = true;              // false when memory ran out while building
  size_t bytes() const {
    return vertices.size() * sizeof(MeshVertex) + indices.size() * sizeof(uint32_t);
  }
};

// Where GL finds a vertex field: at offset bytes into the client-side
// vertices, or, with a buffer object bound (client null), at that offset
// into the buffer, which GL takes as a pointer value. Never arithmetic on a
// null pointer.
const void* vertex_field(const MeshVertex* client, size_t offset);

// Collects primitives the way immediate mode takes them: a current normal
// and texture coordinate, then vertices between begin and end. Triangle
// strips, fans, quads, quad strips and polygons are split into triangles
// with the winding and diagonals GL gives them. Points and lines are ignored.
// When memory runs out the builder drops what it has and marks the mesh
// incomplete instead of throwing (it runs inside GLU's callbacks).
class MeshBuilder {
 public:
  void begin(unsigned mode);
  void normal(const float n[3]);
  void tex(const float t[2]);
  void vertex(const float p[3], float w = 1.0f);  // the point (p, 1) times w
  void end();
  MeshData take();  // the mesh so far; the builder starts empty again
  const float* current_tex() const { return current_.tex; }  // for the vertex to come

 private:
  void split(const std::vector<uint32_t>& v);  // the open primitive into triangles
  void triangle(uint32_t a, uint32_t b, uint32_t c);
  uint32_t index_of(const MeshVertex& v);  // adds v when it is new

  void out_of_memory();

  unsigned mode_ = 0;           // primitive being collected
  bool open_ = false;           // between begin and end of a primitive with a surface
  MeshVertex current_{};        // normal and texture coordinate for the next vertex
  std::vector<uint32_t> prim_;  // vertices of the open primitive
  MeshData mesh_;
  std::vector<uint32_t> slots_;  // open-addressing hash of the vertices: index + 1, 0 free
};

// GLU's quadric shapes with smooth outward normals and no texture, vertex for
// vertex as GLU emits them, so a captured shape draws the same picture.
// Slices and stacks are held to what GLU draws at most.
constexpr int MAX_QUADRIC_SLICES = 239;
void build_sphere(MeshBuilder& out, float radius, int slices, int stacks);
void build_cylinder(MeshBuilder& out, float base, float top, float height, int slices, int stacks);
void build_disk(MeshBuilder& out, float outer, int slices, int loops);  // inner radius 0
