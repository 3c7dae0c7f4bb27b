// The cube of a box and the small sphere of the world-axes gizmo, drawn
// vertex for vertex as GLUT's solid and wire shapes draw them, so the
// pictures stay as they were, but without GLUT, whose shapes need a
// connection to a display even though they only draw.
#pragma once

// A cube of edge size around the origin: solid with flat face normals, or
// as the outlines of its six faces.
void draw_cube(float size, bool wire);
// A solid sphere around the z axis with smooth normals, of 1 .. MAX_BALL_STEPS
// slices and 2 .. MAX_BALL_STEPS stacks; other counts draw nothing.
constexpr int MAX_BALL_STEPS = 64;
void draw_ball(float radius, int slices, int stacks);
