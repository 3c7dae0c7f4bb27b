// The modeller's own tessellation of its NURBS surfaces: the arrays the
// builders of nurbUtil.h make (knots, control nets, weights, texture
// coordinates) evaluated at parameters chosen for the size the surface has
// on the screen, instead of res samples a knot span everywhere. Pure
// computation: no GL state is read or changed (caps use GLU's polygon
// tessellator, which is plain code).
#pragma once

#include "render/mesh.h"
#include "render/nurbUtil.h"

enum SurfaceKind {
  SURFACE_REVOLUTION,  // about y, from the silhouette in pixels
  SURFACE_SIDES,       // extrusion side, z -5 .. +5
  SURFACE_FRONT_CAP,   // trimmed cap facing +z
  SURFACE_BACK_CAP     // trimmed cap facing -z
};

// Segments a range of parameter takes in GLU's sampling at res samples per
// unit: the most any surface gets here.
int glu_segments(double range, int res);

// Where a surface is sampled: segments in each knot span along the
// silhouette, and for a surface of revolution in each quarter of the circle.
struct Sampling {
  int spans = 0;                    // knot spans in the drawn range of the silhouette
  int along[NURB_MAX_POINTS] = {};  // segments in each, 1 .. res
  int around = 0;                   // segments in each quarter turn, 1 .. res / 4
};

// Screen scales come in coarse steps, a factor of the square root of two
// apart: level L stands for 2^((L - 16) / 2) pixels per unit of the
// silhouette, from 1/256 up to 2^((MAX_DETAIL_LEVEL - 16) / 2).
constexpr int MAX_DETAIL_LEVEL = 64;
// The least level whose scale is at least the given one.
int detail_level(double pixels_per_unit);
double level_scale(int level);

// How a box of object coordinates shows in a view (modelview and projection
// as GL stores them, viewport x, y, width, height).
struct BoxView {
  bool outside;            // wholly beyond one of the clip planes: nothing of it is drawn
  double pixels_per_unit;  // the most pixels a unit covers in the box (infinite at the eye)
};
BoxView box_view(const float modelview[16], const float projection[16], const int viewport[4],
                 const float lo[3], const float hi[3]);

// The samples a silhouette's surfaces take where one unit of the silhouette
// covers `pixels_per_unit` pixels: as few as keep the chords within a
// fraction of a pixel of the surface, the edges some pixels long and the
// normals turning a few degrees a segment along the silhouette, never more
// than GLU takes at res. A negative scale asks for GLU's own sampling.
// The sides and the caps of one silhouette at one scale get the same
// samples along it, so that their edges meet.
Sampling choose_sampling(const Silhouette& s, bool revolution, double pixels_per_unit, int res);

// The triangles of each surface at those samples, with the normals GL's
// evaluators would give them and the texture coordinates of the builders.
// An empty mesh where the builder refuses the silhouette.
MeshData tessellate_revolution(const Silhouette& s, const Sampling& at);
MeshData tessellate_sides(const Silhouette& s, const Sampling& at);
// A flat cap: the outline sampled at the same parameters as the side wall's
// edge, the region inside it triangulated as a polygon.
MeshData tessellate_cap(const Silhouette& s, int side, float depth, const Sampling& at);
