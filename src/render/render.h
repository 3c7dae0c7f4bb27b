// Object drawing and the 3D view of the "display" window.
#pragma once

#include "app/scene.h"
#include "render/nurbUtil.h"

extern int wireframe;         // draw objects as outlines instead of solids
extern int show_grid;         // floor grid in the 3D view
extern int show_world_axes;   // world-axes gizmo
extern int show_object_axes;  // axes of the current object
constexpr float closed_gap = 0.6f;  // end_gap below this closes a silhouette

void draw_object(ObjectRecord rec);
void set_material(const float ambient[4], const float diffuse[4], const float specular[4],
                  const float* shininess);
float end_gap(float x1, float y1, float x2, float y2);
void wire_extrusion(int knots, float pts[][2], int n, float depth);
void wire_revolution(float pts[][2], int n, int steps);

void reshape_3d(int w, int h);
void display_3d();
void Sph2Rect(float r, float latitude, float longitude, float rect[3]);
void work_lights();
void scene_lights();
void draw_world_axes();
void draw_arrow();
void draw_object_axes();

// Knot vectors and control lists are in nurbUtil.h, shared with exported programs.
void draw_silhouette_curve(int order, int knot_type, int last, float points[][2]);

// Render state back to the start values.
void reset_render();
