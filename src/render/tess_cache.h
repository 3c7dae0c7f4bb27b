// The tessellation cache: what GLU makes of each NURBS surface, and the
// quadric shapes, captured once as indexed triangles in buffer objects and
// drawn from there every frame. A surface is looked up by its content (kind,
// order, knot type, points, res), so editing a silhouette or changing res
// captures it anew, a record moving to another slot finds its surfaces again,
// and objects with the same silhouette share them.
#pragma once

extern int tess_cache_on;  // 1: draw from the cache; 0: tessellate every surface every frame

enum SurfaceKind {
  SURFACE_REVOLUTION,  // about y, from the silhouette in pixels
  SURFACE_SIDES,       // extrusion side, z -5 .. +5
  SURFACE_FRONT_CAP,   // trimmed cap facing +z
  SURFACE_BACK_CAP     // trimmed cap facing -z
};

#include "render/nurbUtil.h"

// One NURBS surface of a silhouette, under the GL state its routine sets and
// leaves (nurbUtil.h); depth places a cap.
void draw_surface(SurfaceKind kind, const Silhouette& s, float depth = 0.0f);
// GLU's quadric shapes, solid with smooth normals.
void draw_solid_sphere(float radius, int slices, int stacks);
void draw_solid_cylinder(float base, float top, float height, int slices, int stacks);
void draw_solid_disk(float outer, int slices, int loops);

// A frame of the 3D view begins. Surfaces the last frames did not draw are
// kept for a while (switching back to them is free), within a memory budget.
void tess_cache_frame();
// Surfaces and shapes tessellated since the last reset.
long tess_cache_builds();
// Bytes of vertex and index arrays the cache holds.
unsigned long tess_cache_bytes();
// Every entry dropped and its buffers freed; the cache switched on.
void reset_tess_cache();
