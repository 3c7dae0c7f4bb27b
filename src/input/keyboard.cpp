// The "display" window's keys: the eye distance and direction, names typed
// into records, list scrolling, duplication, marks, and stepping the value
// selected in the object panel.
#include <GL/freeglut.h>

#include <cstring>

#include "app/scene.h"
#include "app/window.h"
#include "browser/browser.h"
#include "input/input.h"
#include "io/session.h"
#include "panels/object_panel.h"

constexpr unsigned char KEY_BACKSPACE = 8;
constexpr unsigned char KEY_DELETE = 127;

void change_distance(unsigned char key) {
  if (key == '.')
    distance += 1;
  else if (key == '/' && distance >= 1)
    distance -= 1;
  post_redisplay();
}

void turn_view(int key) {
  switch (key) {
    case GLUT_KEY_UP:
      if (latitude < 86) latitude += 5;
      break;
    case GLUT_KEY_DOWN:
      if (latitude >= -85) latitude -= 5;
      break;
    case GLUT_KEY_RIGHT:
      longitude += 5;
      if (longitude > 360) longitude -= 360;
      break;
    case GLUT_KEY_LEFT:
      longitude -= 5;
      if (longitude < 0) longitude += 360;
      break;
    default:
      break;
  }
  post_redisplay();
}

static bool name_character(unsigned char key) {
  return (key >= 'a' && key <= 'z') || (key >= '0' && key <= '9') || key == '_' || key == '-';
}

// Backspace or one allowed character applied to one record's name.
static void edit_name(char* name, unsigned char key) {
  const size_t len = strnlen(name, NAME_SIZE - 1);
  name[len] = '\0';
  if (key == KEY_BACKSPACE) {
    if (len > 0) name[len - 1] = '\0';
  } else if (name_character(key) && len < static_cast<size_t>(MAX_NAME_LEN)) {
    name[len] = static_cast<char>(key);
    name[len + 1] = '\0';
  }
}

// Typing goes to every marked object in cluster mode when the current record
// is marked, else to the current record (a light can be renamed too).
static void type_into_names(unsigned char key) {
  if (current_record < 0 || current_record >= MAX_RECORDS) return;
  if (cluster_mode && ClusterTable[current_record] == 1) {
    for (int i = FIRST_OBJECT; i <= last_record && i < MAX_RECORDS; i++)
      if (ClusterTable[i] == 1) edit_name(ObjectTable[i].name, key);
  } else {
    edit_name(ObjectTable[current_record].name, key);
  }
}

void keyboard_3d(unsigned char key, int, int) {
  if ((key == '.' || key == '/') && !browser_open) {
    change_distance(key);
  } else if (key == KEY_DELETE && current_record > LAST_LIGHT) {
    if (cluster_mode && ClusterTable[current_record] != 1)
      not_in_cluster = 1;
    else
      confirm_delete = 1;
  } else if (browser_open) {
    browser_key(key);
  } else {
    type_into_names(key);
  }
  select_display_window();
  post_redisplay();
}

// Insert: duplicates the current object or the cluster and backs the scene up,
// unless the duplication was refused.
static void insert_key() {
  if (current_record < FIRST_OBJECT) return;
  const int before = last_record;
  if (cluster_mode)
    duplicate_cluster();
  else
    duplicate_current();
  if (last_record == before) return;
  save_backup();
  if (browser_open) update_listing();  // the backup lands in the directory it lists
}

// F1..F4 on an angle: changes the edit buffer directly, never the cluster.
static void step_angle(int k, int key) {
  int& a = edit_angles[k];
  switch (key) {
    case GLUT_KEY_F1:
      if (a < 710) a += 10;
      break;
    case GLUT_KEY_F2:
      if (a >= -710) a -= 10;
      break;
    case GLUT_KEY_F3:
      if (a < 719) a += 1;
      break;
    case GLUT_KEY_F4:
      if (a >= -719) a -= 1;
      break;
    default:
      break;
  }
}

// F1..F4: up large, down large, up small, down small.
static void step_selected(int key) {
  if (key < GLUT_KEY_F1 || key > GLUT_KEY_F4) return;
  static const int sign[4] = {1, -1, 1, -1};
  const int i = key - GLUT_KEY_F1;
  const bool large = key <= GLUT_KEY_F2;
  if (panel_field >= FIELD_SCALE_X && panel_field <= FIELD_SCALE_ALL) {
    step_field(panel_field, cluster_mode, sign[i] * (large ? 0.1f : 0.01f), current_record);
  } else if (panel_field >= FIELD_ANGLE_X && panel_field <= FIELD_ANGLE_Z) {
    step_angle(panel_field - FIELD_ANGLE_X, key);
  } else if (panel_field >= FIELD_POS_X && panel_field <= FIELD_POS_Z) {
    step_field(panel_field, cluster_mode, sign[i] * (large ? 1.0f : 0.1f), current_record);
  } else if (panel_field == FIELD_COLOR && !cluster_mode) {
    step_color_channel(color_channel, sign[i] * (large ? 10 : 1));
  }
}

void special_3d(int key, int, int) {
  if (browser_open && (key == GLUT_KEY_PAGE_UP || key == GLUT_KEY_PAGE_DOWN)) {
    browser_scroll(key);
    select_display_window();
    post_redisplay();
    return;
  }
  switch (key) {
    case GLUT_KEY_PAGE_DOWN:
      if (list_first < LAST_INDEX - list_rows) list_first++;
      break;
    case GLUT_KEY_PAGE_UP:
      if (list_first > FIRST_OBJECT) list_first--;
      break;
    case GLUT_KEY_INSERT:
      insert_key();
      break;
    case GLUT_KEY_F11:
      for (int i = FIRST_OBJECT; i < MAX_RECORDS; i++) ClusterTable[i] = 0;
      break;
    case GLUT_KEY_F12:
      for (int i = FIRST_OBJECT; i <= last_record && i < MAX_RECORDS; i++) ClusterTable[i] = 1;
      break;
    case GLUT_KEY_UP:
    case GLUT_KEY_DOWN:
    case GLUT_KEY_LEFT:
    case GLUT_KEY_RIGHT:
      turn_view(key);
      return;
    default:
      step_selected(key);
      break;
  }
  if (panel_field == FIELD_COLOR) update_pick_from_color();
  apply_edit_buffer();
  redraw_all();
  select_display_window();
}
