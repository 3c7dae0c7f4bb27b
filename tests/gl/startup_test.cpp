// Starts the program's two windows through the real start-up.
#include <gtest/gtest.h>

#include "app/scene.h"
#include "support/gl_env.h"

TEST(Startup, TwoWindowsWithTheirTitlesAndSizes) {
  ensure_windows();
  ASSERT_NE(display_window, 0);
  ASSERT_NE(curves_window, 0);
  EXPECT_EQ(glutGetWindow(), display_window);
  EXPECT_EQ(glutGet(GLUT_WINDOW_WIDTH), 600);
  EXPECT_EQ(glutGet(GLUT_WINDOW_HEIGHT), 500);
  EXPECT_EQ(glutGet(GLUT_WINDOW_DEPTH_SIZE) > 0, true);
  EXPECT_EQ(glutGet(GLUT_WINDOW_DOUBLEBUFFER), 1);

  glutSetWindow(curves_window);
  EXPECT_EQ(glutGet(GLUT_WINDOW_WIDTH), 300);
  EXPECT_EQ(glutGet(GLUT_WINDOW_HEIGHT), 300);
  EXPECT_EQ(glutGet(GLUT_WINDOW_DEPTH_SIZE), 0);

  // The titles, as the window system shows them.
  char cmd[128];
  std::snprintf(cmd, sizeof cmd,
                "xwininfo -root -tree 2>/dev/null | grep -c '\"display\"\\|\"curves\"'");
  FILE* p = popen(cmd, "r");
  ASSERT_NE(p, nullptr);
  int count = 0;
  ASSERT_EQ(fscanf(p, "%d", &count), 1);
  pclose(p);
  EXPECT_GE(count, 2);

  // A handler's redraw leaves "curves" current; the display window is then selected again.
  redraw_all();
  EXPECT_EQ(glutGetWindow(), curves_window);
  select_display_window();
  EXPECT_EQ(glutGetWindow(), display_window);
  EXPECT_EQ(current_record, 5);
}
