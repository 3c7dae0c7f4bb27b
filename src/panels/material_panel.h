// The material panel: shine and intensity sliders, colour field, lit preview.
#pragma once

#include "draw2d/layout.h"

// Kinds of the panel's bands.
enum MaterialBandKind { MAT_SHINE, MAT_INTENSITY, MAT_FIELD };
// A band of the panel: its click cell (x from the left edge, d below the top
// of the 224-pixel strip) and, for a slider, its bar and label in the panel's
// unit system (u -1..1 across the 120 pixels, v -1..3 up the strip).
struct MaterialBand {
  const char* name;
  int kind;
  HitRect hit;
  float bar_v0, bar_v1;    // the slider bar's lower and upper edge
  float label_u, label_v;  // where its label starts
};
extern const Layout<MaterialBand> material_layout;

void draw_material_panel();
void material_click(int button, int state, int x, int d);
// A solid sphere around the origin with smooth normals, fine enough for the
// preview (GLU's 360 slices and stacks, or the cached sphere that looks the same).
void draw_preview_sphere(float radius);

// State of this panel back to its start values.
void reset_material_panel();
