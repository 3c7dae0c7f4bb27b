// The overlay pass: panels drawn over the 3D image, and the text routine.
#pragma once

constexpr int left_panel_width = 160;       // object panel, top-left
constexpr int left_panel_height = 200;
constexpr int right_panel_width = 160;      // lights and view-settings panel, top-right
constexpr int right_panel_height = 200;
constexpr float lower_panel_height = 224.0f;  // material panel and object list strip

extern int code_list_shown;  // the code list replaces the object and material panels

void panel_text(float x, float y, const char* format, ...);
void draw_panels();
void reset_panels();
