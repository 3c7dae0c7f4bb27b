// The object list panel: header with the mode toggle, "+" and "-", then one
// row per record index with its number, cluster mark and name.
#pragma once

// Draws the list with the origin at its top-left corner, y growing upward.
void draw_object_list();
// Left press at (x, y) relative to the panel's top-left corner, y downward.
void list_click(int button, int state, int x, int y);
