// The code list panel: the shader code entries, one row each, with the entry
// bound to the current record highlighted. Drawn from the window's top-left
// corner, rows going down to negative y.
#include "panels/code_list.h"

#include <GL/gl.h>

#include "app/scene.h"
#include "app/window.h"
#include "draw2d/layout.h"
#include "io/code_table.h"
#include "panels/overlay.h"

namespace {
constexpr int LIST_WIDTH = 180;
constexpr RowBand ROWS = {15, 15};  // below the title, row r shows entry r
constexpr int SHOWN_ROWS = 36;      // entries 0..35 fit the panel
constexpr float TEXT_ABOVE = 1;     // a row's text baseline lies this far above its end
}  // namespace

void draw_code_list() {
  set_color(palette::PANEL_LIGHT);
  glRectf(0, -win_height, LIST_WIDTH, 0);

  if (current_record >= 0 && current_record < MAX_RECORDS) {
    const Span row = ROWS.row(CodeBindingTable[current_record]);
    glColor4f(0.8f, 1.0f, 0.8f, 1.0f);
    glRectf(0, -(row.hi + 1), LIST_WIDTH, -row.lo);
  }

  set_rgb(palette::WHITE);
  panel_text(50, -ROWS.top, "RIB code");
  for (int r = 0; r < SHOWN_ROWS && r < MAX_CODES; r++) {
    const float y = -(ROWS.row(r).hi + TEXT_ABOVE);
    set_rgb(palette::WHITE);
    panel_text(0, y, "%2d ", r);
    if (CodeTable[r].line_count > 0) {
      set_color(palette::BLACK);
      panel_text(30, y, "%.*s", CODE_NAME_SIZE - 1, CodeTable[r].code_name);
    }
  }
}

void code_list_click(int button, int state, int x, int y) {
  (void)x;
  if (left_press(button, state) && y >= 0) {
    const int row = ROWS.row_at(y);
    if (row >= 0 && row <= code_count && row < MAX_CODES && current_record >= 0 &&
        current_record < MAX_RECORDS)
      CodeBindingTable[current_record] = row;
  }
  redraw_all();
  select_display_window();
}
