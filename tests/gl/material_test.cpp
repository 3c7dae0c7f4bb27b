// The material panel drawn into the real "display" window: colour picks
// from the hexagon, the slider marks and the preview sphere, read back as pixels.
#include <gtest/gtest.h>

#include <cmath>

#include "app/scene.h"
#include "panels/material_panel.h"
#include "support/gl_env.h"

namespace {

struct MaterialGl : ::testing::Test {
  void SetUp() override {
    ensure_windows();
    reset_all();
    glutSetWindow(display_window);
    win_width = glutGet(GLUT_WINDOW_WIDTH);
    win_height = glutGet(GLUT_WINDOW_HEIGHT);
    create_object();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
  }
};

// A black frame with the panel over it, set up as the overlay pass does.
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

// A click at a point of the hexagon in its unit coordinates.
void click_hexagon(float u, float v) {
  material_click(0, 0, static_cast<int>(60 * (u + 1)), 224 - static_cast<int>(56 * (v + 1)));
}

TEST_F(MaterialGl, EachHexagonCornerPicksItsColour) {
  // Counter-clockwise from the right: cyan, green, yellow, red, magenta, blue.
  const bool strong[6][3] = {{0, 1, 1}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}};
  for (int k = 0; k < 6; k++) {
    SCOPED_TRACE(k);
    draw_frame();
    const float u = 0.8f * std::cos(k * 1.0471976f), v = 0.8f * std::sin(k * 1.0471976f);
    click_hexagon(u, v);
    const float* c = ObjectTable[6].color;
    for (int i = 0; i < 3; i++) {
      EXPECT_EQ(edit_color[i], std::lround(c[i] * 255));
      for (int j = 0; j < 3; j++)
        if (strong[k][i] && !strong[k][j]) {
          EXPECT_GT(c[i], c[j] + 0.4f);
        }
    }
    EXPECT_NEAR(ObjectTable[6].pick[0], u, 0.04f);  // the mark lands on the click
    EXPECT_NEAR(edit_pick[1], v, 0.04f);
  }
}

TEST_F(MaterialGl, BlackAndWhiteAreNotPickedAndTheShownFrameIsRead) {
  ObjectTable[6].pick[0] = edit_pick[0] = 0.3f;
  ObjectTable[6].pick[1] = edit_pick[1] = -0.2f;
  edit_intensity = 0;  // a black hexagon
  draw_frame();
  click_hexagon(0.2f, 0.1f);
  edit_intensity = 0.5f;
  draw_frame();
  click_hexagon(0.3f, -0.2f);  // the white mark
  EXPECT_NEAR(ObjectTable[6].color[0], 200.0f / 255, 1e-6);
  EXPECT_FLOAT_EQ(ObjectTable[6].pick[1], -0.2f);

  // After the swap the back buffer holds something else; the pick still
  // takes the colour shown, darkened with the intensity.
  glutSwapBuffers();
  glClearColor(0, 0, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  click_hexagon(-0.8f, 0);
  EXPECT_NEAR(ObjectTable[6].color[0], 0.5f, 0.03f);
  EXPECT_LT(ObjectTable[6].color[2], 0.2f);
}

TEST_F(MaterialGl, SliderMarksAndPreviewSphere) {
  // The shine mark over the "i" of its label: the mark is drawn last.
  current_record = 2;  // a light's preview is flat in its colour
  ObjectTable[2].shine = 0.45f;
  draw_frame();
  unsigned char mark[9][5][3], p[3];
  glReadPixels(52, 214, 5, 9, GL_RGB, GL_UNSIGNED_BYTE, mark);
  for (const auto& row : mark)
    for (const auto& px : row) EXPECT_TRUE(px[0] == 255 && px[1] == 0 && px[2] == 255);
  glReadPixels(90, 171, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
  EXPECT_NEAR(p[1], 230, 1);

  for (int axis = 0; axis < 2; axis++) {  // turned by 90 degrees: still a full disc
    glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    glColor3f(1, 1, 1);
    glTranslatef(100, 100, 0);
    glRotatef(90, axis, 1 - axis, 0);
    draw_preview_sphere(40);
    static unsigned char img[100][100][3];
    glReadPixels(50, 50, 100, 100, GL_RGB, GL_UNSIGNED_BYTE, img);
    int holes = 0, outside = 0;
    for (int y = 0; y < 100; y++)
      for (int x = 0; x < 100; x++) {
        const float r = std::hypot(x + 0.5f - 50, y + 0.5f - 50);
        holes += r < 38 && img[y][x][0] != 255;
        outside += r > 42 && img[y][x][0] != 0;
      }
    EXPECT_EQ(holes + outside, 0) << "axis " << axis;
  }
}

}  // namespace
