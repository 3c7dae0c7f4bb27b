// The tessellation cache: what GLU makes of each NURBS surface, and the
// quadric shapes, captured once as indexed triangles in buffer objects and
// drawn from there every frame. A surface is looked up by its content (kind,
// order, knot type, points, res), so editing a silhouette or changing res
// captures it anew, a record moving to another slot finds its surfaces again,
// and objects with the same silhouette share them.
#pragma once

extern int tess_cache_on;  // 1: draw from the cache; 0: tessellate every surface every frame
extern int tess_exact;  // 1: cache GLU's tessellation at res; 0: the modeller's own, as fine as the
                        // view needs

#include "render/nurbUtil.h"
#include "render/tessellate.h"

// One NURBS surface of a silhouette, under the GL state its routine sets and
// leaves (nurbUtil.h); depth places a cap.
void draw_surface(SurfaceKind kind, const Silhouette& s, float depth = 0.0f);
// GLU's quadric shapes, solid with smooth normals.
void draw_solid_sphere(float radius, int slices, int stacks);
void draw_solid_cylinder(float base, float top, float height, int slices, int stacks);
void draw_solid_disk(float outer, int slices, int loops);

// The level of detail a surface of this silhouette is drawn at, given the
// level its current view needs. Levels rise at once, a step beyond the need;
// they fall only when the
// need stayed two levels lower through a whole frame, so that small camera
// moves do not tessellate again. Sides and caps of one silhouette share it.
int settle_detail_level(SurfaceKind kind, const Silhouette& s, int need);
// A frame of the 3D view begins. Surfaces the last frames did not draw are
// kept for a while (switching back to them is free), within a memory budget.
void tess_cache_frame();
// Surfaces and shapes tessellated since the last reset.
long tess_cache_builds();
// Bytes of vertex and index arrays the cache holds.
unsigned long tess_cache_bytes();
// Every entry dropped and its buffers freed; the cache switched on.
void reset_tess_cache();
// Switches the cache to the off-screen context (on, called while the window's
// context is still current) or back to the "display" window (off, called
// while the off-screen context is still current). The entries are dropped on
// each switch, since buffers belong to one context.
void tess_cache_offscreen(bool on);
