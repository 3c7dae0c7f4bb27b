// The object panel: type buttons and the stepped values of the current object.
#pragma once

void draw_object_panel();
void object_panel_click(int button, int state, int x, int y);
void format_value(float v);

// State of this panel back to its start values.
void reset_object_panel();
