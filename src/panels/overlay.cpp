// The overlay pass: all panels are drawn in window pixels over the 3D image,
// then the 3D view's matrices and switches are given back.
#include "panels/overlay.h"

#include <GL/freeglut.h>

#include "app/window.h"
#include "browser/browser.h"
#include "panels/code_list.h"
#include "panels/lights_panel.h"
#include "panels/list_panel.h"
#include "panels/material_panel.h"
#include "panels/menus.h"
#include "panels/object_panel.h"

int code_list_shown;

void reset_panels() { code_list_shown = 0; }

// What every panel drawer may rely on, whatever the drawer before it left:
// modelview selected, translucent blending, no depth test, no lighting.
static void panel_state() {
  glMatrixMode(GL_MODELVIEW);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
}

// Calls a drawer with the modelview translated by (dx, dy), then undoes the move.
static void draw_at(float dx, float dy, void (*drawer)()) {
  panel_state();
  glPushMatrix();
  glTranslatef(dx, dy, 0.0f);
  drawer();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

void draw_panels() {
  const float w = static_cast<float>(win_width);
  const float h = static_cast<float>(win_height);

  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);

  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glViewport(0, 0, win_width, win_height);
  glOrtho(0.0, win_width, 0.0, win_height, -100.0, 100.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();

  draw_at(0.0f, 0.0f, draw_dialogs_and_menus);
  if (code_list_shown) {
    draw_at(0.0f, h, draw_code_list);
  } else {
    draw_at(0.0f, 0.0f, draw_object_panel);
    draw_at(0.0f, 0.0f, draw_material_panel);
  }
  if (browser_open) {
    draw_at(w / 2.0f, h, draw_browser);
  } else {
    draw_at(w - right_panel_width, 0.0f, draw_lights_panel);
    draw_at(w - list_panel_width, lower_panel_height, draw_object_list);
  }

  // Back to the 3D view: its matrices, its viewport, depth test and lighting.
  glDisable(GL_BLEND);
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glViewport(0, 0, win_width, win_height);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
}
