// Placeholder: the first controls work fills these in.
#include "panels/list_panel.h"

void draw_object_list() {}
void list_click(int, int, int, int) {}
