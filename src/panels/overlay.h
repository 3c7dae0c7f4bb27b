// The overlay pass: panels drawn over the 3D image, and the panel sizes.
#pragma once

#include "draw2d/draw2d.h"  // every panel draws with these

constexpr int left_panel_width = 160;  // object panel, top-left
constexpr int left_panel_height = 200;
constexpr int right_panel_width = 160;  // lights and view-settings panel, top-right
constexpr int right_panel_height = 200;
constexpr float lower_panel_height = 224.0f;  // material panel and object list strip
constexpr int list_panel_width = 120;         // object list, bottom-right
constexpr int material_click_width = 130;     // clickable width of the material panel
constexpr int code_list_width = 180;          // the code list takes clicks left of this

extern int code_list_shown;  // the code list replaces the object and material panels

// The overlay pass: every panel over the finished 3D image.
void draw_panels();
void reset_panels();
