// RenderMan RIB export of the scene: a fixed camera, the lights that are on,
// and one attribute block per object, silhouettes as NURBS patches.
#pragma once

#include <cstdio>

// Writes the scene to file_name; false (message on stderr, old file intact)
// when the file cannot be written.
bool write_rib(const char* file_name);
// The same text on an open stream.
void write_rib_text(FILE* out);

#include "render/nurbUtil.h"

// Pieces of a silhouette object's geometry, from the silhouette as the patch
// uses it; one that nurb_check refuses writes nothing.

// The knots and parameter range of a NuPatch direction along the silhouette.
void write_knot_vector(FILE* out, const Silhouette& s);
// The control points of an extrusion side, z from -5 to +5.
void write_extrusion_points(FILE* out, const Silhouette& s);
// The silhouette as a trim curve in the unit square of the box around it.
void write_trim_curve(FILE* out, const Silhouette& s, float xmax, float xmin, float ymax,
                      float ymin);
