// Placeholder: the second controls work fills these in.
#include "panels/menus.h"

void draw_dialogs_and_menus() {}
void dialog_click(int, int, int, int) {}
void menu_click(int, int, int, int) {}
void menu_hover(int, int) {}

void reset_menus() {}
