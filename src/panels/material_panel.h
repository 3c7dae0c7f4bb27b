// The material panel: shine and intensity sliders, colour field, lit preview.
#pragma once

void draw_material_panel();
void material_click(int button, int state, int x, int d);

// State of this panel back to its start values.
void reset_material_panel();
