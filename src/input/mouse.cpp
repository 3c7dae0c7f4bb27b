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

namespace {

constexpr int LOWER_STRIP = static_cast<int>(lower_panel_height);

// The window's regions in mouse coordinates, and for a panel the corner its
// handler counts from.
const Region window_regions[] = {
    {"browser",
     REGION_BROWSER,
     {{FROM_MIDDLE, FROM_END, greater_than(0)}, from_start(any_value())},
     {},
     nullptr},
    {"code list",
     REGION_CODE_LIST,
     {from_start(less_than(code_list_width)), from_start(any_value())},
     {},
     nullptr},
    {"object panel",
     REGION_PANEL,
     {from_start(less_than(left_panel_width + 5)), from_start(less_than(left_panel_height + 5))},
     {FROM_START, 0, FROM_START, 0},
     object_panel_click},
    {"lights panel",
     REGION_PANEL,
     {from_end(greater_than(-right_panel_width - 5)),
      from_start(less_than(right_panel_height + 5))},
     {FROM_END, -right_panel_width, FROM_START, 0},
     lights_click},
    {"object list",
     REGION_PANEL,
     {from_end(greater_than(-list_panel_width)), from_end(greater_than(-LOWER_STRIP))},
     {FROM_END, -list_panel_width, FROM_END, -LOWER_STRIP},
     list_click},
    {"material panel",
     REGION_PANEL,
     {from_start(less_than(material_click_width)), from_end(greater_than(-LOWER_STRIP))},
     {FROM_START, 0, FROM_END, -LOWER_STRIP},
     material_click},
    // Between the panels; with the code list shown, reaching to the left edge.
    {"scene",
     REGION_SCENE,
     {{FROM_START, FROM_END, open_range(150, -150)}, {FROM_START, FROM_END, open_range(25, -25)}},
     {},
     nullptr},
    {"scene beside the code list",
     REGION_SCENE_BESIDE_CODE_LIST,
     {from_end(less_than(-300)), from_end(less_than(-25))},
     {},
     nullptr},
};

}  // namespace

const Layout<Region> router_layout = layout_of(window_regions, mouse_3d);

static bool in_region(int kind, int x, int y) {
  for (const Region& r : window_regions)
    if (r.kind == kind && r.hit.at(win_width, win_height).contains(x, y)) return true;
  return false;
}

// The panel under the pointer, handed the event in its own coordinates; false for none.
static bool route_to_panel(int button, int state, int x, int y) {
  for (const Region& r : window_regions) {
    if (r.kind != REGION_PANEL || !r.hit.at(win_width, win_height).contains(x, y)) continue;
    r.click(button, state, x - anchor_at(r.origin.x_from, win_width) - r.origin.x,
            y - anchor_at(r.origin.y_from, win_height) - r.origin.y);
    return true;
  }
  return false;
}

// The part of the window that belongs to the 3D scene rather than to panels.
static bool in_scene_area(int x, int y) {
  return in_region(REGION_SCENE, x, y) ||
         (code_list_shown && in_region(REGION_SCENE_BESIDE_CODE_LIST, x, y));
}

// The routing stages; true when one of them took the event and the usual
// redraw should follow, false for a right press that toggled the panels.
static bool route(int button, int state, int x, int y) {
  if (dialog_up()) {
    dialog_click(button, state, x, y);
    return true;
  }
  if (browser_open) {
    if (in_region(REGION_BROWSER, x, y)) browser_click(button, state, x, y);
    return true;
  }
  if (code_list_shown && in_region(REGION_CODE_LIST, x, y)) {
    code_list_click(button, state, x, y);
    return true;
  }
  if (menu_click(button, state, x, y)) return true;
  if (route_to_panel(button, state, x, y)) return true;
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
