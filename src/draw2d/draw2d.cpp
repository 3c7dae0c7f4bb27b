#include "draw2d/draw2d.h"

#include <GL/freeglut.h>

#include <cstdarg>
#include <cstdio>

void set_color(const Rgba& c) { glColor4f(c.r, c.g, c.b, c.a); }
void set_rgb(const Rgba& c) { glColor3f(c.r, c.g, c.b); }

void panel_text(float x, float y, const char* format, ...) {
  char text[PANEL_TEXT_SIZE];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);  // cuts what does not fit
  va_end(args);
  glRasterPos2f(x, y);
  // Bytes from 128 up are glyphs too: handed over as unsigned, not as negative chars.
  for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; c++)
    glutBitmapCharacter(GLUT_BITMAP_8_BY_13, *c);
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
