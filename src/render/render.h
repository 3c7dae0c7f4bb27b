// Object drawing and the 3D view of the "display" window.
#pragma once

#include "app/scene.h"
#include "render/nurbUtil.h"

extern int wireframe;         // draw objects as outlines, unlit, instead of solids
extern int show_grid;         // floor grid and the two floor axes in the 3D view
extern int show_world_axes;   // world-axes gizmo at the origin
extern int show_object_axes;  // local axes of the current object

// One record drawn around its own origin; the caller has placed it.
void draw_object(ObjectRecord rec);
// The same, as outlines or as a solid whatever wireframe says.
void draw_object_as(ObjectRecord rec, bool wire);
// The one way a material reaches OpenGL (front and back faces).
void set_material(const float ambient[4], const float diffuse[4], const float specular[4],
                  const float* shininess);
// Wireframe stand-ins: the control polygon swept along z, or about y.
void wire_extrusion(int knots, float pts[][2], int n, float depth);
void wire_revolution(float pts[][2], int n, int steps);

// Reshape callback of the "display" window: viewport and perspective.
void reshape_3d(int w, int h);
// The 3D pass of a frame: clears, places the camera and draws grid, axes,
// light markers and objects. With angle_selected (one of the current object's
// angles is being edited) its axes show where each rotation applies.
void draw_view_3d(bool angle_selected);
// Eye position on a sphere around the origin (degrees; 3.1415 as pi).
void Sph2Rect(float r, float latitude, float longitude, float rect[3]);
// Where the camera stands for a view (the scene's latitude, longitude and distance).
void eye_position(int latitude, int longitude, int distance, double out[3]);
// The modelview of the camera: at the eye position, looking at the origin, y up.
void load_camera();
// Three fixed lights under which the markers and the gizmo are drawn.
void work_lights();
// The ambient record and the five light records as OpenGL lights.
void scene_lights();
void draw_world_axes();
void draw_arrow();
void draw_object_axes();

// The silhouette as a flat NURBS curve in the plane z = 0, sampled res times
// a knot span; fewer than four points draw nothing. Knot vectors, control
// lists and end_gap are in nurbUtil.h, shared with exported programs.
void draw_silhouette_curve(const Silhouette& s);

// Render state back to the start values.
void reset_render();
