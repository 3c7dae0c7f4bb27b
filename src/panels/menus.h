// The top bar, its two menus and the modal dialogs.
#pragma once

// Hover state of the two menus (the open flags live with the scene flags).
extern int io_title_hot;    // pointer went onto the "i/o menu" title: drawn highlighted
extern int misc_title_hot;  // the same for the "misc" title
extern int io_item;         // highlighted "i/o menu" entry, 1 = first, 0 none
extern int misc_item;       // highlighted "misc" entry, 1 = first, 0 none

void draw_dialogs_and_menus();
// Answers the first dialog that is up; call only while one is.
void dialog_click(int button, int state, int x, int y);
// Menu titles and entries. Returns true when the event hit one of them (and
// was carried out); false lets the caller route it on to the panels.
bool menu_click(int button, int state, int x, int y);
void menu_hover(int x, int y);

// Whether any dialog is up (and so takes every click).
bool dialog_up();

// State of this panel back to its start values.
void reset_menus();
