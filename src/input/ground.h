// Placing the current object or cluster on the ground plane y = 0 by a click.
#pragma once

// Rounds to tenths; a hundredths digit of 5 or less rounds toward zero.
float snap_tenth(float v);
// Where the line from eye through p meets the ground: false when it does not
// meet it in front of the eye (parallel, or behind), so nothing may move.
bool ground_point(const double eye_pos[3], const double p[3], float* gx, float* gz);
// Moves the current record to (x, z) on the ground, or the whole cluster
// rigidly in cluster mode; height is kept. Refused with "current not in clstr"
// when the current record is not a member in cluster mode.
void place_on_ground(float x, float z);
// The click at window pixel (x, y), y down from the top, placed through the
// 3D view's matrices of the "display" window; a point off the ground moves nothing.
void place_at_click(int x, int y);
