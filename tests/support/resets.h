// Start values for a test of one layer: the resets of that layer and of the
// layers below it, which are all such a test links. (The program itself
// resets everything through reset_all.)
#pragma once

#include "app/scene.h"
#include "app/window.h"
#include "browser/browser.h"
#include "curves/curves.h"
#include "io/code_table.h"
#include "panels/lights_panel.h"
#include "panels/material_panel.h"
#include "panels/menus.h"
#include "panels/object_panel.h"
#include "panels/overlay.h"
#include "render/render.h"

// The scene tables and the window sizes.
inline void reset_app_layer() {
  reset_scene();
  reset_window_state();
}
// With the shader code table (io).
inline void reset_io_layer() {
  reset_app_layer();
  reset_code_table();
}
// With the render state as well (export and what builds on it).
inline void reset_export_layer() {
  reset_io_layer();
  reset_render();
}
inline void reset_browser_layer() {
  reset_export_layer();
  reset_browser();
}
inline void reset_curves_layer() {
  reset_app_layer();
  reset_render();
  reset_curves();
}
inline void reset_panels_layer() {
  reset_browser_layer();
  reset_panels();
  reset_object_panel();
  reset_menus();
  reset_lights_panel();
  reset_material_panel();
}
