// Placeholder: the geometry work fills these in.
#include "render/render.h"

#include <cmath>

int wireframe = 0;
int show_grid = 1;
int show_world_axes = 1;
int show_object_axes = 0;

void reset_render() {
  wireframe = 0;
  show_grid = 1;
  show_world_axes = 1;
  show_object_axes = 0;
}

void draw_object(ObjectRecord) {}
void set_material(const float*, const float*, const float*, const float*) {}
float end_gap(float x1, float y1, float x2, float y2) {
  return std::fabs(x2 - x1) + std::fabs(y2 - y1);
}
void wire_extrusion(int, float[][2], int, float) {}
void wire_revolution(float[][2], int, int) {}
void reshape_3d(int, int) {}
void display_3d() {}
void Sph2Rect(float, float, float, float[3]) {}
void work_lights() {}
void scene_lights() {}
void draw_world_axes() {}
void draw_arrow() {}
void draw_object_axes() {}
void draw_silhouette_curve(int, int, int, float[][2]) {}
