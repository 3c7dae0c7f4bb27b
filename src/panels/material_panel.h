// The material panel: shine and intensity sliders, colour field, lit preview.
#pragma once

void draw_material_panel();
void material_click(int button, int state, int x, int d);
// A solid sphere around the origin with smooth normals, fine enough for the
// preview (GLU's 360 slices and stacks, or the cached sphere that looks the same).
void draw_preview_sphere(float radius);

// State of this panel back to its start values.
void reset_material_panel();
