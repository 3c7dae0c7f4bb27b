#include "render/shapes.h"

#include <GL/gl.h>

#include <cmath>

namespace {

// Corners of the unit cube, and each face as a quad of corners with its normal.
const float CORNERS[8][3] = {{.5f, .5f, .5f},   {-.5f, .5f, .5f},  {-.5f, -.5f, .5f},
                             {.5f, -.5f, .5f},  {.5f, -.5f, -.5f}, {.5f, .5f, -.5f},
                             {-.5f, .5f, -.5f}, {-.5f, -.5f, -.5f}};
const int FACES[6][4] = {{0, 1, 2, 3}, {0, 3, 4, 5}, {0, 5, 6, 1},
                         {1, 6, 7, 2}, {7, 4, 3, 2}, {4, 7, 6, 5}};
const float FACE_NORMALS[6][3] = {{0, 0, 1},  {1, 0, 0},  {0, 1, 0},
                                  {-1, 0, 0}, {0, -1, 0}, {0, 0, -1}};

void corner(int k, float size) {
  glVertex3f(size * CORNERS[k][0], size * CORNERS[k][1], size * CORNERS[k][2]);
}

// Sines and cosines of n + 1 steps around a circle (half a circle with half),
// in single precision as the shapes have always been computed; a negative n
// turns the other way.
struct Circle {
  static constexpr int MAX_STEPS = 64;
  float sin[MAX_STEPS + 1];
  float cos[MAX_STEPS + 1];
  Circle(int n, bool half) {
    const int size = n < 0 ? -n : n;
    const float angle = (half ? 1 : 2) * (float)M_PI / (float)(n == 0 ? 1 : n);
    sin[0] = 0.0f;
    cos[0] = 1.0f;
    for (int i = 1; i < size; i++) {
      sin[i] = (float)std::sin(angle * i);
      cos[i] = (float)std::cos(angle * i);
    }
    sin[size] = half ? 0.0f : sin[0];
    cos[size] = half ? -1.0f : cos[0];
  }
};

// Vertex k of a sphere: 0 the top (+z), then the rings of slices vertices
// from the top down, the last the bottom.
void ball_vertex(int k, float radius, int slices, int stacks, const Circle& around,
                 const Circle& down) {
  float n[3] = {0, 0, 1};
  if (k == slices * (stacks - 1) + 1) {
    n[2] = -1;
  } else if (k > 0) {
    const int ring = (k - 1) / slices + 1, j = (k - 1) % slices;
    n[0] = around.cos[j] * down.sin[ring];
    n[1] = around.sin[j] * down.sin[ring];
    n[2] = down.cos[ring];
  }
  glNormal3f(n[0], n[1], n[2]);
  glVertex3f(n[0] * radius, n[1] * radius, n[2] * radius);
}

}  // namespace

void draw_cube(float size, bool wire) {
  for (int f = 0; f < 6; f++) {
    const int* q = FACES[f];
    glNormal3fv(FACE_NORMALS[f]);
    if (wire) {
      glBegin(GL_LINE_LOOP);
      for (int k = 0; k < 4; k++) corner(q[k], size);
    } else {
      // Two triangles with the diagonal from the first corner.
      static const int TRIANGLES[6] = {0, 1, 2, 0, 2, 3};
      glBegin(GL_TRIANGLES);
      for (int k : TRIANGLES) corner(q[k], size);
    }
    glEnd();
  }
}

void draw_ball(float radius, int slices, int stacks) {
  if (slices < 1 || stacks < 2 || slices > Circle::MAX_STEPS || stacks > Circle::MAX_STEPS) return;
  const Circle around(-slices, false), down(stacks, true);
  const int bottom = slices * (stacks - 1) + 1;
  // One strip per stack, closed by repeating its first pair; the top and
  // bottom strips fan out from the pole vertex.
  for (int i = 0; i < stacks; i++) {
    const int upper = i == 0 ? 0 : 1 + (i - 1) * slices;  // first vertex of the ring above
    glBegin(GL_TRIANGLE_STRIP);
    for (int j = 0; j <= slices; j++) {
      const int jj = j == slices ? 0 : j;
      const int below = i == stacks - 1 ? bottom : 1 + i * slices + jj;
      const int above = i == 0 ? 0 : upper + jj;
      ball_vertex(below, radius, slices, stacks, around, down);
      ball_vertex(above, radius, slices, stacks, around, down);
    }
    glEnd();
  }
}
