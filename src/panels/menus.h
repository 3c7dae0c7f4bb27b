// The top bar, its two menus and the modal dialogs.
#pragma once

void draw_dialogs_and_menus();
void dialog_click(int button, int state, int x, int y);
void menu_click(int button, int state, int x, int y);
void menu_hover(int x, int y);

// State of this panel back to its start values.
void reset_menus();
