// GLU's own tessellation of a surface, the exact reference: its NURBS
// renderer run in tessellator mode with the builders and sampling of
// nurbUtil.c, at res samples a knot span. Needs no GL context.
#pragma once

#include "render/mesh.h"
#include "render/tessellate.h"

MeshData glu_surface_triangles(SurfaceKind kind, const Silhouette& s, float depth);
