// The code list panel: shader code entries to bind to the current record.
#pragma once

void draw_code_list();
// Left press on the code list binds the current record to the clicked entry.
void code_list_click(int button, int state, int x, int y);
