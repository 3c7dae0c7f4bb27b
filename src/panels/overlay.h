// The overlay pass: panels drawn over the 3D image, and the text routine.
#pragma once

constexpr int left_panel_width = 160;  // object panel, top-left
constexpr int left_panel_height = 200;
constexpr int right_panel_width = 160;  // lights and view-settings panel, top-right
constexpr int right_panel_height = 200;
constexpr float lower_panel_height = 224.0f;  // material panel and object list strip
constexpr int list_panel_width = 120;         // object list, bottom-right
constexpr int material_click_width = 130;     // clickable width of the material panel
constexpr int code_list_width = 180;          // the code list takes clicks left of this
constexpr int PANEL_TEXT_SIZE = 200;          // bytes of a formatted panel text, zero included

extern int code_list_shown;  // the code list replaces the object and material panels

// Draws a formatted text with its baseline starting at (x, y) in the current
// colour, 8 by 13 bitmap glyphs; texts past 199 characters are cut. Texts that
// come from data must be passed as an argument of "%s", never as the format.
void panel_text(float x, float y, const char* format, ...) __attribute__((format(printf, 3, 4)));
// Filled rectangle from (x0, y0) to (x1, y1) in the current colour.
void panel_rect(float x0, float y0, float x1, float y1);
// The overlay pass: every panel over the finished 3D image.
void draw_panels();
void reset_panels();

// A bevelled frame around x0..x1, y0..y1 (y0 below y1): pressed in (dark
// top-left, light bottom-right) or raised; heavy draws a pressed frame's light
// edges two pixels wide, as the toggles do.
void bevel_frame(float x0, float y0, float x1, float y1, bool pressed, bool heavy);
