// The object list in the bottom-right corner. Rows are 15 pixels high below a
// header row; row r shows record list_first + r - 1.
#include "panels/list_panel.h"

#include <GL/freeglut.h>

#include "app/scene.h"
#include "app/window.h"
#include "io/session.h"
#include "panels/object_panel.h"
#include "panels/overlay.h"

namespace {

constexpr RowBand ROWS = {0, 15};  // row 0 the header, row r record list_first + r - 1
constexpr Span HEADER = ROWS.row(0);
constexpr Span FIRST_RECORD = ROWS.row(1);

const Cell cells[] = {
    {"header", nullptr, LIST_HEADER, NO_CODE, NO_HIT, 10, 15},
    {"-", "-", LIST_DELETE, NO_CODE, {less_than(30), HEADER}, NO_TEXT, NO_TEXT},
    {"mode", nullptr, LIST_MODE, NO_CODE, {half_open(31, 80), HEADER}, NO_TEXT, NO_TEXT},
    {"+", "+", LIST_ADD, NO_CODE, {at_least(81), HEADER}, NO_TEXT, NO_TEXT},
    {"mark", nullptr, LIST_MARK, NO_CODE, {less_than(30), FIRST_RECORD}, 0, 29},
    {"name", nullptr, LIST_NAME, NO_CODE, {greater_than(30), FIRST_RECORD}, 30, 29},
};

// The list row of record i.
int row_of(int i) { return i - list_first + 1; }

// Fills the row band of record i.
void fill_row(int i) {
  const Span band = ROWS.row(row_of(i));
  panel_rect(0.0f, -static_cast<float>(band.hi + 1), list_panel_width,
             -static_cast<float>(band.lo));
}

// The row number: tens digit or a blank, units digit, a blank.
void row_number(int n, char text[VALUE_TEXT_SIZE]) {
  text[0] = n >= 10 ? static_cast<char>('0' + n / 10 % 10) : ' ';
  text[1] = static_cast<char>('0' + n % 10);
  text[2] = ' ';
  text[3] = '\0';
}

// Where record i's text of a row cell starts, d below the top.
float row_text_d(const Cell& c, int i) { return c.text_d + ROWS.height * (row_of(i) - 1); }

}  // namespace

const Layout<Cell> list_layout = layout_of(cells, list_click, ROWS);

void draw_object_list() {
  set_color(palette::PANEL_LIGHT);
  panel_rect(0.0f, -lower_panel_height, list_panel_width, 0.0f);

  const Cell& header = *cell_of_kind(cells, LIST_HEADER);
  if (cluster_mode) {
    set_rgb(palette::ON);
    panel_text(header.text_x, -header.text_d, "- cluster +");
    glColor4f(0.0f, 0.8f, 0.0f, 1.0f);
    for (int i = list_first; i <= last_record && i < MAX_RECORDS; i++)
      if (ClusterTable[i] == 1) fill_row(i);
  } else {
    set_rgb(palette::WHITE);
    panel_text(header.text_x, -header.text_d, "- objects +");
  }

  if (current_record >= list_first && current_record <= list_first + list_rows) {
    if (highlight_current)
      glColor4f(1.0f, 0.8f, 0.8f, 1.0f);
    else
      set_color(palette::HIGHLIGHT);
    fill_row(current_record);
  }

  const Cell& mark = *cell_of_kind(cells, LIST_MARK);
  const Cell& name = *cell_of_kind(cells, LIST_NAME);
  for (int i = list_first; i <= list_first + list_rows && i < MAX_RECORDS; i++) {
    if (ClusterTable[i] == 1)
      glColor3f(0.7f, 0.1f, 0.1f);
    else
      set_rgb(palette::WHITE);
    char number[VALUE_TEXT_SIZE];
    row_number(i - FIRST_OBJECT, number);
    panel_text(mark.text_x, -row_text_d(mark, i), "%s", number);
    if (i <= last_record) {
      set_rgb(palette::BLACK);
      panel_text(name.text_x, -row_text_d(name, i), "%s", ObjectTable[i].name);
    }
  }
}

// "+": duplicates the current object or the cluster; the safety net is written
// only when something was appended.
static void duplicate_from_list() {
  const int before = last_record;
  if (cluster_mode)
    duplicate_cluster();
  else
    duplicate_current();
  if (last_record != before) save_safety_net();
}

// "-": asks before deleting the current object or the cluster.
static void ask_delete() {
  if (cluster_mode && ClusterTable[current_record] != 1)
    not_in_cluster = 1;
  else
    confirm_delete = 1;
}

void list_click(int button, int state, int x, int y) {
  if (!left_press(button, state) || y < 0) return;
  const int row = ROWS.row_at(y);
  const int i = list_first + row - 1;
  if (i > last_record || i < 0 || i >= MAX_RECORDS) return;
  // Record rows are looked up in the first one.
  const Cell* c = cell_at(cells, x, row == 0 ? y : y - ROWS.height * (row - 1));
  if (!c) return;
  switch (c->kind) {
    case LIST_MODE:
      cluster_mode = !cluster_mode;
      break;
    case LIST_ADD:
      if (current_record >= FIRST_OBJECT) duplicate_from_list();
      break;
    case LIST_DELETE:
      if (current_record >= FIRST_OBJECT) ask_delete();
      break;
    case LIST_MARK:
      ClusterTable[i] = !ClusterTable[i];
      break;
    case LIST_NAME:
      if (i != current_record) {
        current_record = i;
        load_edit_buffer();
      } else {
        highlight_current = !highlight_current;
      }
      break;
  }
}
