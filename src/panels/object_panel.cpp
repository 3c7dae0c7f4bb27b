// Placeholder: the first controls work fills these in.
#include "panels/object_panel.h"

void draw_object_panel() {}
void object_panel_click(int, int, int, int) {}
void format_value(float) {}

void reset_object_panel() {}
