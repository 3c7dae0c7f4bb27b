// The material panel drawn into the real "display" window: colour picks
// from the hexagon, slider marks and the preview sphere, read back as pixels.
#include <gtest/gtest.h>

#include <cmath>

#include "app/scene.h"
#include "app/startup.h"
#include "panels/material_panel.h"
#include "panels/overlay.h"
#include "support/gl_env.h"

namespace {

struct Rgb {
  int c[3];
};

Rgb pixel(int x, int y) {
  unsigned char p[3];
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
  return {{p[0], p[1], p[2]}};
}

class MaterialGl : public ::testing::Test {
 protected:
  void SetUp() override {
    ensure_windows();
    reset_all();
    glutSetWindow(display_window);
    win_width = glutGet(GLUT_WINDOW_WIDTH);
    win_height = glutGet(GLUT_WINDOW_HEIGHT);
    new_type = TYPE_SPHERE;
    create_object();
  }

  // A black scene with the panel over it, set up as the overlay pass does.
  void draw_frame() {
    glViewport(0, 0, win_width, win_height);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, win_width, 0, win_height, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    draw_material_panel();
    glDisable(GL_BLEND);
  }

  // Click at a point of the hexagon given in its unit coordinates.
  static void click_hexagon(float u, float v) {
    const int px = static_cast<int>(60 * (u + 1));
    const int py = static_cast<int>(56 * (v + 1));
    material_click(0, 0, px, 224 - py);
  }
};

}  // namespace

TEST_F(MaterialGl, EachHexagonCornerPicksItsColour) {
  // Corners counter-clockwise from the right: cyan, green, yellow, red, magenta, blue.
  const bool strong[6][3] = {{0, 1, 1}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}};
  for (int k = 0; k < 6; k++) {
    SCOPED_TRACE(k);
    draw_frame();
    const float a = k * 3.14159265f / 3;
    const float u = 0.8f * std::cos(a), v = 0.8f * std::sin(a);
    click_hexagon(u, v);
    const float* c = ObjectTable[6].color;
    for (int i = 0; i < 3; i++) {
      EXPECT_EQ(edit_color[i], static_cast<int>(std::lround(c[i] * 255)));
      for (int j = 0; j < 3; j++) {
        if (strong[k][i] && !strong[k][j]) {
          EXPECT_GT(c[i], c[j] + 0.4f) << i << " over " << j;
        }
      }
    }
    // The mark lands where the click was.
    EXPECT_NEAR(ObjectTable[6].pick[0], u, 0.04f);
    EXPECT_NEAR(ObjectTable[6].pick[1], v, 0.04f);
    EXPECT_FLOAT_EQ(edit_pick[0], ObjectTable[6].pick[0]);
  }
}

TEST_F(MaterialGl, BlackAndWhitePixelsAreNotPicked) {
  ObjectTable[6].pick[0] = edit_pick[0] = 0.3f;
  ObjectTable[6].pick[1] = edit_pick[1] = -0.2f;
  const float grey = ObjectTable[6].color[0];
  edit_intensity = 0;  // the whole hexagon black
  draw_frame();
  click_hexagon(0.2f, 0.1f);
  click_hexagon(-0.9f, 0);
  edit_intensity = 1;
  draw_frame();
  click_hexagon(0.3f, -0.2f);  // on the white picker mark
  EXPECT_FLOAT_EQ(ObjectTable[6].color[0], grey);
  EXPECT_FLOAT_EQ(ObjectTable[6].pick[0], 0.3f);
  EXPECT_FLOAT_EQ(edit_pick[1], -0.2f);

  // A darker hexagon gives darker picks.
  edit_intensity = 0.5f;
  draw_frame();
  click_hexagon(-0.8f, 0);
  EXPECT_NEAR(ObjectTable[6].color[0], 0.5f, 0.03f);
}

TEST_F(MaterialGl, PickReadsTheFrameThatWasShown) {
  draw_frame();
  glutSwapBuffers();
  // Whatever the back buffer holds now is not what the user sees.
  glClearColor(0, 0, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  click_hexagon(-0.8f, 0);  // red
  EXPECT_GT(ObjectTable[6].color[0], 0.6f);
  EXPECT_LT(ObjectTable[6].color[2], 0.3f);
}

TEST_F(MaterialGl, SliderMarksFollowTheValues) {
  material_click(0, 0, 0, 5);      // shine 0
  material_click(0, 0, 120, 105);  // intensity 1
  draw_frame();
  const Rgb magenta = {{255, 0, 255}};
  auto is = [](Rgb p, Rgb q) { return p.c[0] == q.c[0] && p.c[1] == q.c[1] && p.c[2] == q.c[2]; };
  EXPECT_TRUE(is(pixel(1, 218), magenta));
  EXPECT_FALSE(is(pixel(118, 218), magenta));
  EXPECT_TRUE(is(pixel(118, 121), magenta));
  material_click(0, 0, 120, 5);
  material_click(0, 0, 0, 105);
  draw_frame();
  EXPECT_TRUE(is(pixel(118, 218), magenta));
  EXPECT_TRUE(is(pixel(1, 121), magenta));
}

TEST_F(MaterialGl, PreviewOfALightIsFlatInItsColour) {
  current_record = 2;  // light1, grey 0.9
  load_edit_buffer();
  draw_frame();
  for (int dx : {-30, 0, 30}) {
    Rgb p = pixel(60 + dx, 171);
    for (int i = 0; i < 3; i++) EXPECT_NEAR(p.c[i], 230, 1) << dx;
  }
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(MaterialGl, TurnedSphereCoversAFullDisc) {
  glViewport(0, 0, win_width, win_height);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, win_width, 0, win_height, -100, 100);
  glMatrixMode(GL_MODELVIEW);
  for (int axis = 0; axis < 2; axis++) {
    glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glColor3f(1, 1, 1);
    glTranslatef(100, 100, 0);
    glRotatef(90, axis == 0 ? 1 : 0, axis == 1 ? 1 : 0, 0);
    draw_preview_sphere(40);
    static unsigned char img[100][100][3];
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(50, 50, 100, 100, GL_RGB, GL_UNSIGNED_BYTE, img);
    int holes = 0, outside = 0;
    for (int y = 0; y < 100; y++)
      for (int x = 0; x < 100; x++) {
        const float r = std::hypot(x + 0.5f - 50, y + 0.5f - 50);
        if (r < 38 && img[y][x][0] != 255) holes++;
        if (r > 42 && img[y][x][0] != 0) outside++;
      }
    EXPECT_EQ(holes, 0) << "axis " << axis;
    EXPECT_EQ(outside, 0) << "axis " << axis;
  }
}
