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

// Sines and cosines of n + 1 steps (n not 0) around a circle, or half a
// circle, in single precision as the shapes have always been computed; a
// negative n turns the other way.
struct Circle {
  float sin[MAX_BALL_STEPS + 1];
  float cos[MAX_BALL_STEPS + 1];
  Circle(int n, bool half) {
    const int size = n < 0 ? -n : n;
    const float angle = (half ? 1 : 2) * (float)M_PI / (float)n;
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

// The vertex of a sphere on ring 0 (the top, +z) .. stacks (the bottom) at
// step j around; on the two poles every j gives the same vertex.
void ball_vertex(float radius, const Circle& around, int j, const Circle& down, int ring) {
  const float n[3] = {around.cos[j] * down.sin[ring], around.sin[j] * down.sin[ring],
                      down.cos[ring]};
  glNormal3fv(n);
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
  if (slices < 1 || stacks < 2 || slices > MAX_BALL_STEPS || stacks > MAX_BALL_STEPS) return;
  const Circle around(-slices, false), down(stacks, true);
  // One strip per stack from the top down, closed by repeating its first
  // pair; each pair is the vertex below, then the one above.
  for (int ring = 0; ring < stacks; ring++) {
    glBegin(GL_TRIANGLE_STRIP);
    for (int j = 0; j <= slices; j++) {
      const int step = j == slices ? 0 : j;
      ball_vertex(radius, around, ring + 1 == stacks ? 0 : step, down, ring + 1);
      ball_vertex(radius, around, ring == 0 ? 0 : step, down, ring);
    }
    glEnd();
  }
}
