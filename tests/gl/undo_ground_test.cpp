// A ground placement taken back and done again through the registered callbacks.
#include <unistd.h>

#include "history/history.h"
#include "main/events.h"
#include "support/render_util.h"

using UndoGround = RenderTest;

static int frames = 0;  // frames of the display window, counted in place of drawing them

// Runs GLUT's loop until a frame was drawn, for up to two seconds.
static bool frame_drawn() {
  for (int i = 0; i < 200 && frames == 0; i++) glutMainLoopEvent(), usleep(10000);
  return frames > 0;
}

TEST_F(UndoGround, PlacementIsOneStepHidingThePanelsIsNone) {
  create_object();
  reset_history();
  display_3d();
  const int x = width / 2 + 40, y = height / 2 + 40;
  for (int button : {2, 2, 0}) on_display_mouse(button, 0, x, y), on_display_mouse(button, 1, x, y);
  const float* p = ObjectTable[6].position;
  const float placed[2] = {p[0], p[2]};
  ASSERT_NE(placed[0], 0.0f);
  EXPECT_EQ(undo_depth(), 1u);
  glutSetWindow(display_window);
  glutDisplayFunc([] { frames++; });
  glutPostRedisplay();
  ASSERT_TRUE(frame_drawn()) << "the window shows";
  frames = 0;
  on_display_key(26, 0, 0, false);
  EXPECT_EQ(glutGetWindow(), display_window);
  EXPECT_TRUE(frame_drawn()) << "a frame after the undo";
  glutSetWindow(display_window);
  glutDisplayFunc(display_3d);
  EXPECT_EQ(p[0], 0.0f);
  EXPECT_EQ(p[2], 0.0f);
  EXPECT_EQ(edit_position[0], 0.0f);
  on_display_key(26, 0, 0, true);
  EXPECT_EQ(p[0], placed[0]);
  EXPECT_EQ(p[2], placed[1]);
}
