#include "main/display.h"

#include <GL/freeglut.h>

#include "app/scene.h"
#include "app/window.h"
#include "panels/object_panel.h"
#include "panels/overlay.h"
#include "render/render.h"

void display_3d() {
  select_display_window();
  const bool angle_selected = panel_field >= FIELD_ANGLE_X && panel_field <= FIELD_ANGLE_Z;
  draw_view_3d(angle_selected);
  if (panels_shown) draw_panels();
  glFlush();
  if (display_window) glutSwapBuffers();
}
