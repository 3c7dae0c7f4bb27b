// The "display" window's mouse: every button event is routed, in a fixed
// order, to whatever the window shows at that point.
#include <GL/freeglut.h>

#include "app/scene.h"
#include "app/window.h"
#include "browser/browser.h"
#include "input/input.h"
#include "panels/code_list.h"
#include "panels/lights_panel.h"
#include "panels/list_panel.h"
#include "panels/material_panel.h"
#include "panels/menus.h"
#include "panels/object_panel.h"
#include "panels/overlay.h"

// The part of the window that belongs to the 3D scene rather than to panels.
static bool in_scene_area(int x, int y) {
  const int w = win_width, h = win_height;
  if (x > 150 && x < w - 150 && y > 25 && y < h - 25) return true;
  return code_list_shown && x < w - 300 && y < h - 25;
}

// y relative to the top of the bottom strip, truncated toward zero.
static int lower_panel_y(int y) { return static_cast<int>(y - (win_height - lower_panel_height)); }

// The routing stages; true when one of them took the event and the usual
// redraw should follow, false for a right press that toggled the panels.
static bool route(int button, int state, int x, int y) {
  const int w = win_width, h = win_height;
  if (dialog_up()) {
    dialog_click(button, state, x, y);
    return true;
  }
  if (browser_open) {
    if (x > w / 2) browser_click(button, state, x, y);
    return true;
  }
  if (code_list_shown && x < code_list_width) {
    code_list_click(button, state, x, y);
    return true;
  }
  if (menu_click(button, state, x, y)) return true;
  if (x < left_panel_width + 5 && y < left_panel_height + 5) {
    object_panel_click(button, state, x, y);
    return true;
  }
  if (x > w - right_panel_width - 5 && y < right_panel_height + 5) {
    lights_click(button, state, x - (w - right_panel_width), y);
    return true;
  }
  if (y > h - lower_panel_height && x > w - list_panel_width) {
    list_click(button, state, x - (w - list_panel_width), lower_panel_y(y));
    return true;
  }
  if (y > h - lower_panel_height && x < material_click_width) {
    material_click(button, state, x, lower_panel_y(y));
    return true;
  }
  if (!in_scene_area(x, y)) return true;
  if (button == MOUSE_RIGHT && state == MOUSE_DOWN) {
    // The release redraws; hiding the panels needs no frame of its own.
    panels_shown = !panels_shown;
    return false;
  }
  if (left_press(button, state)) place_at_click(x, y);
  return true;
}

void mouse_3d(int button, int state, int x, int y) {
  if (!route(button, state, x, y)) return;
  redraw_all();
  select_display_window();
}

void motion_3d(int x, int y) { menu_hover(x, y); }

void reset_input() { panels_shown = 1; }
