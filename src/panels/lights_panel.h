// The lights and view-settings panel.
#pragma once

#include "draw2d/layout.h"

extern int backup_pressed;  // the "backup" button is drawn pressed while held down

// Kinds of the panel's cells.
enum LightCellKind {
  LIGHT_NAME,       // a light row's name: makes that record current
  LIGHT_SWITCH,     // "on" / "off"
  LIGHT_KIND,       // "D" / "P": directional or positional
  LIGHT_CAPTION,    // the caption of a row; no hit
  LIGHT_DENSITY,    // a NURBS density; code: the density
  LIGHT_CODE_LIST,  // "show" / "hide" the code list
  LIGHT_UNBIND,     // "reset": asks to remove every code binding
  LIGHT_TOGGLE,     // a view toggle; code: 0 world axes, 1 object axes, 2 grid
  LIGHT_BACKUP,     // writes the backup now
};
// The panel's cells, x from the panel's left edge; the light rows repeat
// the first row's cells once per light record.
extern const Layout<Cell> lights_layout;

void draw_lights_panel();
void lights_click(int button, int state, int x, int y);

// State of this panel back to its start values.
void reset_lights_panel();
