// The program's two windows from the real start-up, and which of them an event redraws.
#include <gtest/gtest.h>
#include <unistd.h>

#include <tuple>

#include "app/scene.h"
#include "curves/curves.h"
#include "input/input.h"
#include "support/cells.h"
#include "support/gl_env.h"

TEST(Startup, TwoWindowsWithTheirSizesAndBuffers) {
  ensure_windows();
  ASSERT_NE(display_window * curves_window, 0);
  EXPECT_EQ(glutGet(GLUT_WINDOW_WIDTH) * 1000 + glutGet(GLUT_WINDOW_HEIGHT), 600500);
  EXPECT_GT(glutGet(GLUT_WINDOW_DEPTH_SIZE), 0);
  EXPECT_EQ(glutGet(GLUT_WINDOW_DOUBLEBUFFER), 1);
  glutSetWindow(curves_window);
  EXPECT_EQ(glutGet(GLUT_WINDOW_WIDTH) * 1000 + glutGet(GLUT_WINDOW_HEIGHT), 300300);
  EXPECT_EQ(glutGet(GLUT_WINDOW_DEPTH_SIZE), 0);
  // A handler's redraw leaves "curves" current; the display window is then selected again.
  redraw_all();
  EXPECT_EQ(glutGetWindow(), curves_window);
  select_display_window();
  EXPECT_EQ(glutGetWindow(), display_window);
}

// Which windows an event asks to redraw: 1 "display", 2 "curves".
static int redrawn;
static int redraws_after(void (*event)()) {
  glutSetWindow(display_window);
  glutDisplayFunc([] { redrawn |= 1; });
  glutSetWindow(curves_window);
  glutDisplayFunc([] { redrawn |= 2; });
  // Both windows shown (GLUT draws only those), and nothing left pending.
  redraw_all();
  redrawn = 0;
  for (int i = 0; i < 500 && redrawn != 3; i++) usleep(10000), glutMainLoopEvent();
  redrawn = 0;
  glutSetWindow(display_window);  // as GLUT does before a callback of "display"
  event();
  for (int i = 0; i < 3; i++) glutMainLoopEvent();
  glutSetWindow(curves_window);
  glutDisplayFunc(curves_display);
  glutSetWindow(display_window);
  glutDisplayFunc(display_3d);
  return redrawn;
}

TEST(Redraws, AnEventRedrawsTheWindowsThatShowWhatItChanged) {
  ensure_windows();
  new_type = TYPE_REVOLUTION;
  create_object();
  const std::tuple<const char*, void (*)(), int> events[] = {
      {"a point added", [] { curves_mouse(0, 0, 100, 100); }, 3},
      {"a point selected", [] { curves_mouse(2, 0, 100, 100); }, 2},
      {"edit", [] { click_cell(curves_bar_layout, "edit"); }, 2},
      {"ins", [] { click_cell(curves_bar_layout, "ins"); }, 3},
      {"del", [] { click_cell(curves_bar_layout, "del"); }, 3},
      {"orgn", [] { click_cell(curves_bar_layout, "orgn"); }, 2},
      {"the origin moved", [] { curves_mouse(0, 0, 50, 250); }, 3},
      {"order", [] { click_cell(curves_bar_layout, "order"); }, 3},
      {"knots", [] { click_cell(curves_bar_layout, "knots"); }, 3},
      {"a dialog answered", [] { too_many_objects = 1, mouse_3d(0, 0, 300, 250); }, 3},
      {"a panel click", [] { mouse_3d(0, 0, 60, 50); }, 3},
      {"an arrow key", [] { special_3d(GLUT_KEY_UP, 0, 0); }, 1},
      {"a distance key", [] { keyboard_3d('.', 0, 0); }, 1},
      {"a name key", [] { keyboard_3d('a', 0, 0); }, 1},
      {"a step key", [] { special_3d(GLUT_KEY_F1, 0, 0); }, 3},
      {"the pointer onto a title", [] { motion_3d(win_width / 2 - 30, 5); }, 1},
      {"the pointer moving on it", [] { motion_3d(win_width / 2 - 29, 5); }, 0}};
  for (const auto& [name, event, windows] : events)
    EXPECT_EQ(redraws_after(event), windows) << name;
}
