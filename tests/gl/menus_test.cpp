// The top bar, the menus and the dialogs drawn into the real "display"
// window, read back as pixels.
#include "panels/menus.h"

#include <gtest/gtest.h>

#include "app/scene.h"
#include "app/startup.h"
#include "panels/overlay.h"
#include "support/gl_env.h"

namespace {

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
  bool operator!=(const Rgb& o) const { return !(*this == o); }
};

Rgb pixel(int x, int y) {
  unsigned char p[3];
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
  return {p[0], p[1], p[2]};
}

const Rgb black = {0, 0, 0};
const Rgb dialog_grey = {204, 204, 204};
const Rgb highlight = {204, 204, 255};

class MenusGl : public ::testing::Test {
 protected:
  void SetUp() override {
    ensure_windows();
    reset_all();
    glutSetWindow(display_window);
    win_width = glutGet(GLUT_WINDOW_WIDTH);
    win_height = glutGet(GLUT_WINDOW_HEIGHT);
  }
  void draw() {
    glViewport(0, 0, win_width, win_height);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, win_width, 0, win_height, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    draw_dialogs_and_menus();
    glDisable(GL_BLEND);
  }
};

}  // namespace

TEST_F(MenusGl, DialogBoxFollowsTheWindowCentre) {
  draw();
  EXPECT_EQ(pixel(win_width / 2, win_height / 2 + 35), black);
  for (int* flag : {&confirm_delete, &confirm_delete_all, &confirm_unbind, &too_many_objects,
                    &not_in_cluster, &too_many_points, &choose_ext_type}) {
    *flag = 1;
    draw();
    const int w2 = win_width / 2, h2 = win_height / 2;
    EXPECT_EQ(pixel(w2 - 88, h2 + 68), dialog_grey);
    EXPECT_EQ(pixel(w2 + 88, h2 + 1), dialog_grey);
    EXPECT_EQ(pixel(w2 + 92, h2 + 35), black);
    EXPECT_EQ(pixel(w2, h2 - 2), black);
    *flag = 0;
  }
  // A narrower window moves the box with its centre.
  win_width = 300;
  confirm_delete = 1;
  draw();
  EXPECT_EQ(pixel(150 - 88, win_height / 2 + 35), dialog_grey);
}

TEST_F(MenusGl, BarAndHoveredTitles) {
  const int w2 = win_width / 2, h = win_height;
  draw();
  const Rgb bar = pixel(w2 + 100, h - 5);
  EXPECT_NE(bar, black);  // the translucent grey bar
  EXPECT_EQ(pixel(left_panel_width - 2, h - 5), black);
  EXPECT_EQ(pixel(win_width - right_panel_width + 2, h - 5), black);
  EXPECT_EQ(pixel(w2 + 100, h - 14), black);

  menu_hover(w2 - 30, 5);
  draw();
  EXPECT_EQ(pixel(w2 + 8, h - 2), highlight);
  EXPECT_EQ(pixel(w2 - 85, h - 2), bar);
  menu_hover(w2 - 100, 5);
  draw();
  EXPECT_EQ(pixel(w2 - 85, h - 2), highlight);
  EXPECT_EQ(pixel(w2 + 8, h - 2), bar);
}
