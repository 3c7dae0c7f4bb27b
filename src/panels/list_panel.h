// The object list panel.
#pragma once

void draw_object_list();
void list_click(int button, int state, int x, int y);
