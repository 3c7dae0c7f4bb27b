#include "draw2d/draw2d.h"

#define GL_GLEXT_PROTOTYPES 1

#include <GL/freeglut.h>

#include <cstdarg>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

void set_color(const Rgba& c) { glColor4f(c.r, c.g, c.b, c.a); }
void set_rgb(const Rgba& c) { glColor3f(c.r, c.g, c.b); }

namespace {

// The glyphs of the 8 by 13 bitmap font as one texture per window: a string
// becomes one batch of textured quads instead of a bitmap a character, which
// the software renderer draws several times faster. The quads cover exactly
// the pixels the bitmaps would, in the same colour.
constexpr int ATLAS = 256;   // texture width and height
constexpr int CELL = 16;     // a glyph's cell in the texture
constexpr int ORIGIN = 4;    // the glyph's raster origin within its cell
constexpr int MAX_FONTS = 4;  // windows with a font of their own

struct Font {
  int window = 0;       // the GLUT window whose context holds the texture
  GLuint texture = 0;   // 0: the bitmaps are drawn one by one
  int advance[256] = {};
  int viewport = 0;     // width and height of the text's viewport, a power of two
};
Font fonts[MAX_FONTS];

// Draws every glyph at its cell's origin in an off-screen buffer and keeps
// what it covers and how far it moves the raster position; false where the
// context offers no frame buffer.
bool make_atlas(Font& font) {
  GLuint frame = 0, colour = 0;
  glGenFramebuffers(1, &frame);
  glGenRenderbuffers(1, &colour);
  glBindRenderbuffer(GL_RENDERBUFFER, colour);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, ATLAS, ATLAS);
  glBindFramebuffer(GL_FRAMEBUFFER, frame);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
  bool ok = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  std::vector<unsigned char> alpha(ATLAS * ATLAS);
  if (ok) {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_TEXTURE_1D);
    glDisable(GL_TEXTURE_2D);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glViewport(0, 0, ATLAS, ATLAS);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    for (int c = 1; c < 256; c++) {
      const int x = (c % CELL) * CELL + ORIGIN, y = (c / CELL) * CELL + ORIGIN;
      glWindowPos2i(x, y);
      glutBitmapCharacter(GLUT_BITMAP_8_BY_13, c);
      GLfloat moved[4];
      glGetFloatv(GL_CURRENT_RASTER_POSITION, moved);
      font.advance[c] = static_cast<int>(std::lround(moved[0])) - x;
    }
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, ATLAS, ATLAS, GL_ALPHA, GL_UNSIGNED_BYTE, alpha.data());
    glPopAttrib();
  }
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  glDeleteRenderbuffers(1, &colour);
  glDeleteFramebuffers(1, &frame);
  if (!ok) return false;
  GLint most[2] = {0, 0};
  glGetIntegerv(GL_MAX_VIEWPORT_DIMS, most);
  font.viewport = 1;
  while (font.viewport * 2 <= std::min(most[0], most[1])) font.viewport *= 2;
  glPushAttrib(GL_TEXTURE_BIT);
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glGenTextures(1, &font.texture);
  glBindTexture(GL_TEXTURE_2D, font.texture);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA8, ATLAS, ATLAS, 0, GL_ALPHA, GL_UNSIGNED_BYTE,
               alpha.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glPopClientAttrib();
  glPopAttrib();
  return true;
}

// The current window's font, made at its first text; nullptr outside a
// window or where the atlas cannot be made.
const Font* current_font() {
  const int window = glutGetWindow();
  if (window <= 0) return nullptr;
  Font* free_slot = nullptr;
  for (Font& f : fonts) {
    if (f.window == window) {
      // A window made again under the same number has a new context.
      if (f.texture == 0 || glIsTexture(f.texture)) return f.texture ? &f : nullptr;
      f = Font();
      free_slot = &f;
      break;
    }
    if (f.window == 0 && free_slot == nullptr) free_slot = &f;
  }
  if (free_slot == nullptr) return nullptr;
  free_slot->window = window;
  if (!make_atlas(*free_slot)) free_slot->texture = 0;
  return free_slot->texture ? free_slot : nullptr;
}

// The text as quads over the glyphs' cells, from the raster position the
// bitmaps would start at. States that would change the bitmaps' pixels
// (depth test, texturing) are left to the bitmaps themselves.
bool draw_from_atlas(const unsigned char* text) {
  if (glIsEnabled(GL_DEPTH_TEST) || glIsEnabled(GL_TEXTURE_1D) || glIsEnabled(GL_TEXTURE_2D))
    return false;
  const Font* font = current_font();
  if (font == nullptr) return false;
  GLint valid = 0;
  glGetIntegerv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
  if (!valid) return true;  // a bitmap at an invalid position draws nothing
  GLfloat at[4], colour[4];
  glGetFloatv(GL_CURRENT_RASTER_POSITION, at);
  glGetFloatv(GL_CURRENT_RASTER_COLOR, colour);

  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT |
               GL_POLYGON_BIT | GL_TRANSFORM_BIT | GL_VIEWPORT_BIT);
  // Bitmaps are not cut at the viewport, only at the window's edges: the
  // quads are drawn in a viewport as large as GL allows, one unit a pixel.
  glViewport(0, 0, font->viewport, font->viewport);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0.0, font->viewport, 0.0, font->viewport, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  glDisable(GL_POLYGON_STIPPLE);
  glDisable(GL_POLYGON_SMOOTH);
  glDisable(GL_FOG);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, font->texture);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glEnable(GL_ALPHA_TEST);  // pixels outside a glyph make no fragment, as with a bitmap
  glAlphaFunc(GL_GREATER, 0.0f);
  glColor4fv(colour);
  // A bitmap's first pixel is at the raster position rounded down, the
  // renderer adding a small epsilon first.
  int x = static_cast<int>(std::floor(at[0] + 1e-4f)) - ORIGIN;
  const int y = static_cast<int>(std::floor(at[1] + 1e-4f)) - ORIGIN;
  const float step = 1.0f / ATLAS;
  int advanced = 0;
  glBegin(GL_QUADS);
  for (const unsigned char* c = text; *c; c++) {
    const float s = (*c % CELL) * CELL * step, t = (*c / CELL) * CELL * step;
    glTexCoord2f(s, t);
    glVertex2i(x, y);
    glTexCoord2f(s + CELL * step, t);
    glVertex2i(x + CELL, y);
    glTexCoord2f(s + CELL * step, t + CELL * step);
    glVertex2i(x + CELL, y + CELL);
    glTexCoord2f(s, t + CELL * step);
    glVertex2i(x, y + CELL);
    x += font->advance[*c];
    advanced += font->advance[*c];
  }
  glEnd();
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glPopAttrib();
  // The raster position ends where the bitmaps would have left it.
  glBitmap(0, 0, 0.0f, 0.0f, static_cast<float>(advanced), 0.0f, nullptr);
  return true;
}

}  // namespace

void panel_text(float x, float y, const char* format, ...) {
  char text[PANEL_TEXT_SIZE];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);  // cuts what does not fit
  va_end(args);
  glRasterPos2f(x, y);
  // Bytes from 128 up are glyphs too: handed over as unsigned, not as negative chars.
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
  if (draw_from_atlas(bytes)) return;
  for (const unsigned char* c = bytes; *c; c++) glutBitmapCharacter(GLUT_BITMAP_8_BY_13, *c);
}

void panel_rect(float x0, float y0, float x1, float y1) {
  glBegin(GL_QUADS);
  glVertex2f(x0, y0);
  glVertex2f(x1, y0);
  glVertex2f(x1, y1);
  glVertex2f(x0, y1);
  glEnd();
}

void bevel_frame(float x0, float y0, float x1, float y1, bool pressed, bool heavy) {
  set_rgb(pressed ? palette::EDGE_LIGHT : palette::EDGE_DARK);
  glLineWidth(pressed && heavy ? 2.0f : 1.0f);
  glBegin(GL_LINE_STRIP);
  glVertex2f(x0, y0);
  glVertex2f(x1, y0);
  glVertex2f(x1, y1);
  glEnd();
  glLineWidth(1.0f);
  set_rgb(pressed ? palette::EDGE_DARK : palette::EDGE_LIGHT);
  glBegin(GL_LINE_STRIP);
  glVertex2f(x1, y1);
  glVertex2f(x0, y1);
  glVertex2f(x0, y0);
  glEnd();
}
