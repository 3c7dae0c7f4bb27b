// The top bar, its two menus and the modal dialogs.
#pragma once

#include "draw2d/layout.h"

// The cells of the top bar, the menus and the dialogs follow the window
// size; a menu entry's code is its number, 1 = first.
enum MenuCellKind {
  IO_TITLE,        // "i/o menu": a click toggles it
  MISC_TITLE,      // "misc"
  IO_ENTRY,        // an "i/o menu" entry
  MISC_ENTRY,      // a "misc" entry
  IO_HOVER_OPEN,   // the pointer here opens the "i/o menu"; its title's highlight
  IO_HOVER_LEAVE,  // the pointer here cools its title while the menu is closed
  IO_HOVER_ITEMS,  // the pointer here highlights its entries
  MISC_HOVER_OPEN,
  MISC_HOVER_LEAVE,
  MISC_HOVER_ITEMS,
  DIALOG_LEFT,   // "yes", or "unit" in the extrusion choice
  DIALOG_RIGHT,  // "no", or "separates"
  DIALOG_OK,     // a notice's "OK"
};
// The top bar, its menus and where the pointer acts on them.
extern const Layout<WindowCell> menu_layout;
// The dialogs' answers.
extern const Layout<WindowCell> dialog_layout;

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
