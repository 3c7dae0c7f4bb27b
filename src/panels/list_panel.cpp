// The object list in the bottom-right corner. Rows are 15 pixels high below a
// header row; row r shows record list_first + r - 1.
#include "panels/list_panel.h"

#include <GL/freeglut.h>

#include "app/scene.h"
#include "app/window.h"
#include "io/session.h"
#include "panels/object_panel.h"
#include "panels/overlay.h"

constexpr int ROW_HEIGHT = 15;  // pixels per row, the header included
constexpr int MARK_CELL = 30;   // the row number and mark cell end here, the name starts

// Fills the row band of record i, from d = 15 (i - list_first + 1) down 15 pixels.
static void fill_row(int i) {
  const float upper = -static_cast<float>(ROW_HEIGHT * (i - list_first + 1));
  panel_rect(0.0f, upper - ROW_HEIGHT, list_panel_width, upper);
}

// The row number: tens digit or a blank, units digit, a blank.
static void row_number(int n, char text[VALUE_TEXT_SIZE]) {
  text[0] = n >= 10 ? static_cast<char>('0' + n / 10 % 10) : ' ';
  text[1] = static_cast<char>('0' + n % 10);
  text[2] = ' ';
  text[3] = '\0';
}

void draw_object_list() {
  glColor4f(0.5f, 0.5f, 0.5f, 0.5f);
  panel_rect(0.0f, -lower_panel_height, list_panel_width, 0.0f);

  if (cluster_mode) {
    glColor3f(0.0f, 1.0f, 0.0f);
    panel_text(10.0f, -15.0f, "- cluster +");
    glColor4f(0.0f, 0.8f, 0.0f, 1.0f);
    for (int i = list_first; i <= last_record && i < MAX_RECORDS; i++)
      if (ClusterTable[i] == 1) fill_row(i);
  } else {
    glColor3f(1.0f, 1.0f, 1.0f);
    panel_text(10.0f, -15.0f, "- objects +");
  }

  if (current_record >= list_first && current_record <= list_first + list_rows) {
    if (highlight_current)
      glColor4f(1.0f, 0.8f, 0.8f, 1.0f);
    else
      glColor4f(0.8f, 0.8f, 1.0f, 1.0f);
    fill_row(current_record);
  }

  for (int i = list_first; i <= list_first + list_rows && i < MAX_RECORDS; i++) {
    const float baseline = -static_cast<float>(ROW_HEIGHT * (i - list_first + 2)) + 1.0f;
    if (ClusterTable[i] == 1)
      glColor3f(0.7f, 0.1f, 0.1f);
    else
      glColor3f(1.0f, 1.0f, 1.0f);
    char number[VALUE_TEXT_SIZE];
    row_number(i - FIRST_OBJECT, number);
    panel_text(0.0f, baseline, "%s", number);
    if (i <= last_record) {
      glColor3f(0.0f, 0.0f, 0.0f);
      panel_text(static_cast<float>(MARK_CELL), baseline, "%s", ObjectTable[i].name);
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

static void header_click(int x) {
  if (x >= 31 && x < 80) {
    cluster_mode = !cluster_mode;
  } else if (x >= 81 && current_record >= FIRST_OBJECT) {
    duplicate_from_list();
  } else if (x < MARK_CELL && current_record >= FIRST_OBJECT) {
    ask_delete();
  }
}

void list_click(int button, int state, int x, int y) {
  if (!left_press(button, state) || y < 0) return;
  const int row = y / ROW_HEIGHT;
  const int i = list_first + row - 1;
  if (i > last_record || i < 0 || i >= MAX_RECORDS) return;
  if (row == 0) {
    header_click(x);
  } else if (x < MARK_CELL) {
    ClusterTable[i] = !ClusterTable[i];
  } else if (x > MARK_CELL) {
    if (i != current_record) {
      current_record = i;
      load_edit_buffer();
    } else {
      highlight_current = !highlight_current;
    }
  }
}
