// The code list panel: the shader code entries, one row each, with the entry
// bound to the current record highlighted. Drawn from the window's top-left
// corner, rows going down to negative y.
#include "panels/code_list.h"

#include <GL/gl.h>

#include "app/scene.h"
#include "app/window.h"
#include "io/code_table.h"
#include "panels/overlay.h"

namespace {
constexpr int LIST_WIDTH = 180;
constexpr int ROW = 15;         // pixels per row
constexpr int SHOWN_ROWS = 36;  // entries 0..35 fit the panel
}  // namespace

void draw_code_list() {
  glColor4f(0.5f, 0.5f, 0.5f, 0.5f);
  glRectf(0, -win_height, LIST_WIDTH, 0);

  if (current_record >= 0 && current_record < MAX_RECORDS) {
    const int b = CodeBindingTable[current_record];
    glColor4f(0.8f, 1.0f, 0.8f, 1.0f);
    glRectf(0, -(b + 2) * ROW, LIST_WIDTH, -(b + 1) * ROW);
  }

  glColor3f(1, 1, 1);
  panel_text(50, -ROW, "RIB code");
  for (int r = 0; r < SHOWN_ROWS && r < MAX_CODES; r++) {
    const float y = -ROW - (r + 1) * ROW;
    glColor3f(1, 1, 1);
    panel_text(0, y, "%2d ", r);
    if (CodeTable[r].line_count > 0) {
      glColor4f(0, 0, 0, 1);
      panel_text(30, y, "%.*s", CODE_NAME_SIZE - 1, CodeTable[r].code_name);
    }
  }
}

void code_list_click(int button, int state, int x, int y) {
  (void)x;
  if (left_press(button, state) && y >= 0) {
    const int row = y / 15 - 1;
    if (row >= 0 && row <= code_count && row < MAX_CODES && current_record >= 0 &&
        current_record < MAX_RECORDS)
      CodeBindingTable[current_record] = row;
  }
  redraw_all();
  select_display_window();
}
