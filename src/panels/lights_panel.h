// The lights and view-settings panel.
#pragma once

extern int backup_pressed;  // the "backup" button is drawn pressed while held down

void draw_lights_panel();
void lights_click(int button, int state, int x, int y);

// State of this panel back to its start values.
void reset_lights_panel();
