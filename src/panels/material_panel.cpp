// Placeholder: the second controls work fills these in.
#include "panels/material_panel.h"

void draw_material_panel() {}
void material_click(int, int, int, int) {}

void reset_material_panel() {}
