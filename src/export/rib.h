// RenderMan RIB export of the scene: a fixed camera, the lights that are on,
// and one attribute block per object, silhouettes as NURBS patches.
#pragma once

#include <cstdio>

// Writes the scene to file_name; false (message on stderr, old file intact)
// when the file cannot be written.
bool write_rib(const char* file_name);
// The same text on an open stream.
void write_rib_text(FILE* out);

// Pieces of a silhouette object's geometry. n is the last point index and
// points the silhouette as the patch uses it; n + 1 must be at least order,
// else nothing is written.

// The knots and parameter range of a NuPatch direction along the silhouette.
void write_knot_vector(FILE* out, int order, int knots, int n);
// The control points of an extrusion side, z from -5 to +5.
void write_extrusion_points(FILE* out, int order, int knots, int n, const float points[][2]);
// The silhouette as a trim curve in the unit square of the box around it.
void write_trim_curve(FILE* out, int order, int knots, int n, float xmax, float xmin, float ymax,
                      float ymin, const float points[][2]);
