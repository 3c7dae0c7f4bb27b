// The object list panel: header with the mode toggle, "+" and "-", then one
// row per record index with its number, cluster mark and name.
#pragma once

#include "draw2d/layout.h"

// Kinds of the list's cells.
enum ListCellKind {
  LIST_HEADER,  // "- objects +" / "- cluster +"; no hit of its own
  LIST_DELETE,  // "-": asks to delete the current object or the cluster
  LIST_MODE,    // switches between objects and cluster
  LIST_ADD,     // "+": duplicates the current object or the cluster
  LIST_MARK,    // a row's number: marks or unmarks it as a cluster member
  LIST_NAME,    // a row's name: makes it current, or toggles the highlight
};
// The list's cells, from its top-left corner (y down): the header row, then
// the first record row, which the others repeat.
extern const Layout<Cell> list_layout;

// Draws the list with the origin at its top-left corner, y growing upward.
void draw_object_list();
// Left press at (x, y) relative to the panel's top-left corner, y downward.
void list_click(int button, int state, int x, int y);
