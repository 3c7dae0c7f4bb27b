// The mesh builder: triangles wound as GL winds each primitive, shared
// vertices kept once, and a mesh marked incomplete when memory runs out.
#include "render/mesh.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <vector>

// Allocations fail while this is set, as they would with memory exhausted.
static bool fail_allocations = false;

void* operator new(size_t size) {
  if (fail_allocations) throw std::bad_alloc();
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
// The pair is malloc and free throughout; the compiler cannot see that.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

using Indices = std::vector<uint32_t>;

// Point k of a row of points along x, two rows apart in y.
static void put(MeshBuilder& b, int k) {
  const float p[3] = {static_cast<float>(k / 2), static_cast<float>(k % 2), 0.0f};
  b.vertex(p);
}

static Indices primitive(unsigned mode, int count) {
  MeshBuilder b;
  b.begin(mode);
  for (int k = 0; k < count; k++) put(b, k);
  b.end();
  return b.take().indices;
}

TEST(MeshBuilder, TrianglesAreWoundAsGLWindsEachPrimitive) {
  EXPECT_EQ(primitive(GL_TRIANGLES, 7), (Indices{0, 1, 2, 3, 4, 5}));  // the seventh is left over
  // A strip swaps every other triangle's first two vertices.
  EXPECT_EQ(primitive(GL_TRIANGLE_STRIP, 5), (Indices{0, 1, 2, 2, 1, 3, 2, 3, 4}));
  EXPECT_EQ(primitive(GL_TRIANGLE_FAN, 4), (Indices{0, 1, 2, 0, 2, 3}));
  EXPECT_EQ(primitive(GL_POLYGON, 4), (Indices{0, 1, 2, 0, 2, 3}));
  EXPECT_EQ(primitive(GL_QUADS, 4), (Indices{0, 1, 3, 1, 2, 3}));
  EXPECT_EQ(primitive(GL_QUAD_STRIP, 6), (Indices{2, 0, 3, 0, 1, 3, 4, 2, 5, 2, 3, 5}));
  for (unsigned lines : {GL_POINTS, GL_LINES, GL_LINE_STRIP, GL_LINE_LOOP})
    EXPECT_EQ(primitive(lines, 4), Indices{}) << "mode " << lines;
}

TEST(MeshBuilder, SharedVerticesAreKeptOnce) {
  MeshBuilder b;
  // Two strips sharing their middle row, as a tessellator emits them.
  for (int strip = 0; strip < 2; strip++) {
    b.begin(GL_TRIANGLE_STRIP);
    for (int k = 0; k < 6; k++) {
      const float p[3] = {static_cast<float>(k / 2), static_cast<float>(strip + k % 2), 0.0f};
      b.vertex(p);
    }
    b.end();
  }
  // The same place with another normal or texture coordinate is another vertex.
  const float n[3] = {0, 0, 1}, t[2] = {0.5f, 0.5f}, p[3] = {0, 0, 0};
  b.begin(GL_TRIANGLES);
  b.normal(n);
  b.vertex(p);
  b.tex(t);
  b.vertex(p);
  const float q[3] = {1, 1, 1};
  b.vertex(q);
  // A triangle with a repeated vertex has no area and is left out.
  b.vertex(q);
  b.vertex(q);
  b.vertex(p);
  b.end();
  const MeshData m = b.take();
  EXPECT_EQ(m.vertices.size(), 9u + 3);
  EXPECT_EQ(m.indices.size(), 3u * (4 + 4 + 1));
  EXPECT_TRUE(m.textured);
  EXPECT_TRUE(m.complete);
  // take() leaves the builder empty.
  EXPECT_EQ(b.take().vertices.size(), 0u);
}

TEST(MeshBuilder, RunningOutOfMemoryLeavesAnEmptyIncompleteMesh) {
  MeshBuilder b;
  b.begin(GL_TRIANGLES);
  for (int k = 0; k < 3; k++) put(b, k);
  b.end();
  b.begin(GL_TRIANGLE_STRIP);
  put(b, 0);
  fail_allocations = true;
  for (int k = 1; k < 2000; k++) put(b, k);  // the hash table or the arrays must grow
  b.end();
  fail_allocations = false;
  b.begin(GL_TRIANGLES);  // nothing more is taken once a part was lost
  for (int k = 0; k < 3; k++) put(b, k);
  b.end();
  MeshData m = b.take();
  EXPECT_FALSE(m.complete);
  EXPECT_EQ(m.vertices.size(), 0u);
  EXPECT_EQ(m.indices.size(), 0u);
  // The next mesh starts whole again.
  b.begin(GL_TRIANGLES);
  for (int k = 0; k < 3; k++) put(b, k);
  b.end();
  m = b.take();
  EXPECT_TRUE(m.complete);
  EXPECT_EQ(m.indices.size(), 3u);
}
