// The 2D drawing helpers every window shares: text, filled rectangles, the
// bevelled toggle frame and the palette. Coordinates are the current
// modelview's, one unit a pixel where the caller set up an orthographic view.
#pragma once

constexpr int PANEL_TEXT_SIZE = 200;  // bytes of a formatted panel text, zero included

// An RGBA colour of the palette.
struct Rgba {
  float r, g, b, a;
};

// The panels' palette.
namespace palette {
constexpr Rgba PANEL = {0.5f, 0.5f, 0.5f, 0.8f};        // top bar, object and lights panels
constexpr Rgba PANEL_LIGHT = {0.5f, 0.5f, 0.5f, 0.5f};  // material panel, list, code list
constexpr Rgba BROWSER = {0.5f, 0.5f, 0.5f, 0.85f};     // the file browser
constexpr Rgba HIGHLIGHT = {0.8f, 0.8f, 1.0f, 1.0f};    // selected row, hovered menu title
constexpr Rgba DIALOG = {0.8f, 0.8f, 0.8f, 1.0f};       // dialog and message boxes
constexpr Rgba DIALOG_TEXT = {1.0f, 0.0f, 0.0f, 1.0f};
constexpr Rgba CAPTION = {0.8f, 0.9f, 0.9f, 1.0f};  // caption of a group of controls
constexpr Rgba ON = {0.0f, 1.0f, 0.0f, 1.0f};       // a control that is on or selected
constexpr Rgba BLACK = {0.0f, 0.0f, 0.0f, 1.0f};
constexpr Rgba WHITE = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr Rgba EDGE_LIGHT = {0.8f, 0.8f, 0.8f, 1.0f};  // toggle frame edges
constexpr Rgba EDGE_DARK = {0.4f, 0.4f, 0.4f, 1.0f};
}  // namespace palette

// Sets the current colour with its alpha.
void set_color(const Rgba& c);
// Sets the current colour's r, g and b only (alpha 1).
void set_rgb(const Rgba& c);

// Draws a formatted text with its baseline starting at (x, y) in the current
// colour, 8 by 13 bitmap glyphs; texts past 199 characters are cut. Texts that
// come from data must be passed as an argument of "%s", never as the format.
void panel_text(float x, float y, const char* format, ...) __attribute__((format(printf, 3, 4)));
// Filled rectangle from (x0, y0) to (x1, y1) in the current colour.
void panel_rect(float x0, float y0, float x1, float y1);
// A bevelled frame around x0..x1, y0..y1 (y0 below y1): pressed in (dark
// top-left, light bottom-right) or raised; heavy draws a pressed frame's light
// edges two pixels wide, as the toggles do.
void bevel_frame(float x0, float y0, float x1, float y1, bool pressed, bool heavy);
