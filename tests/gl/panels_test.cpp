// The "display" window's panels in whole frames, read back as pixels: ground
// placement, the overlay pass, highlights, and the material panel.
#include <GL/glu.h>

#include <array>
#include <cmath>
#include <cstring>
#include <string>

#include "input/ui_fixture.h"
#include "panels/material_panel.h"
#include "panels/overlay.h"
#include "render/render.h"
#include "support/gl_env.h"

// A fresh scene with record 6 current, in the window at its real size.
struct PanelsGl : ::testing::Test {
  void SetUp() override {
    ensure_windows();
    reset_all();
    win_width = glutGet(GLUT_WINDOW_WIDTH);
    win_height = glutGet(GLUT_WINDOW_HEIGHT);
    create_object();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
  }
};

// The pixel at x, d below the top edge.
static std::array<int, 3> pixel(int x, int d) {
  unsigned char p[3];
  glReadPixels(x, win_height - d, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
  return {p[0], p[1], p[2]};
}

// Window coordinates for drawing straight into the frame, unlit.
static void flat_2d() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, win_width, 0, win_height, -100, 100);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
}

// Left press on the pixel that shows the ground point (x, 0, z) in the last frame.
static void click_ground(double x, double z) {
  GLint vp[4];
  GLdouble model[16], proj[16], wx, wy, wz;
  glGetIntegerv(GL_VIEWPORT, vp);
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  glGetDoublev(GL_PROJECTION_MATRIX, proj);
  gluProject(x, 0, z, model, proj, vp, &wx, &wy, &wz);
  mouse_3d(0, 0, static_cast<int>(std::lround(wx)), vp[3] - 1 - static_cast<int>(std::lround(wy)));
}

TEST_F(PanelsGl, GroundClickLandsOnTheSnappedPointAndTheSkyMovesNothing) {
  const ObjectRecord& r = ObjectTable[6];
  display_3d();  // the start-up camera
  click_ground(2.01, -1.01);
  EXPECT_EQ(state(r.position[0], r.position[2], edit_position[2]), state(2, -1, -1));
  latitude = 5;  // the top of the view is now sky
  display_3d();
  mouse_3d(0, 0, win_width / 2, 30);
  EXPECT_EQ(r.position[0], 2.0f);
  click_ground(12.01, 12.01);
  EXPECT_EQ(r.position[2], 12.0f);
}

TEST_F(PanelsGl, OverlayPassBlendsHighlightsAndGivesTheViewBack) {
  panels_shown = 0;
  display_3d();
  const int scene = pixel(150, 180)[0];  // the object panel's background, 80% opaque
  panels_shown = 1;
  display_3d();
  EXPECT_NEAR(pixel(150, 180)[0], 0.8 * 0.5 * 255 + 0.2 * scene, 2.0);

  current_record = 2;       // light1: the row 40..60 below the top
  CodeBindingTable[2] = 3;  // code list row 3: 60..75 below the top
  code_list_shown = 1;
  display_3d();
  const std::array<int, 3> light = {204, 204, 255}, code = {204, 255, 204};
  const int x0 = win_width - 160;
  const struct {
    int x, d;
    std::array<int, 3> rgb;
    bool lit;
  } marks[] = {{x0 + 64, 41, light, true}, {x0 + 64, 61, light, false}, {x0 + 66, 50, light, false},
               {170, 61, code, true},      {170, 76, code, false},      {181, 65, code, false}};
  for (const auto& m : marks) EXPECT_EQ(pixel(m.x, m.d) == m.rgb, m.lit) << m.x << "," << m.d;

  GLdouble before[16], after[16];
  glGetDoublev(GL_PROJECTION_MATRIX, before);
  glEnable(GL_BLEND);
  glDisable(GL_LIGHTING);
  draw_panels();
  glGetDoublev(GL_PROJECTION_MATRIX, after);
  EXPECT_EQ(std::memcmp(before, after, sizeof before), 0);
  EXPECT_EQ(state(glIsEnabled(GL_DEPTH_TEST), glIsEnabled(GL_LIGHTING), glIsEnabled(GL_BLEND)),
            state(1, 1, 0));

  // Texts from data are drawn literally, and cut after 199 characters.
  flat_2d();
  for (const auto& [text, chars] :
       {std::pair{std::string("50%d%s"), 6}, std::pair{std::string(300, 'x'), 199}}) {
    panel_text(10, 10, "%s", text.c_str());
    GLfloat end[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, end);
    EXPECT_EQ(end[0], 10 + chars * 8);
  }
}

// A click at a point of the hexagon in its unit coordinates.
static void click_hexagon(float u, float v) {
  material_click(0, 0, static_cast<int>(60 * (u + 1)), 224 - static_cast<int>(56 * (v + 1)));
}

TEST_F(PanelsGl, EachHexagonCornerPicksItsColour) {
  // Counter-clockwise from the right: cyan, green, yellow, red, magenta, blue.
  const bool strong[6][3] = {{0, 1, 1}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}};
  display_3d();
  for (int k = 0; k < 6; k++) {
    SCOPED_TRACE(k);
    const float u = 0.8f * std::cos(k * 1.0471976f), v = 0.8f * std::sin(k * 1.0471976f);
    click_hexagon(u, v);
    const float* c = ObjectTable[6].color;
    for (int i = 0; i < 3; i++) {
      EXPECT_EQ(edit_color[i], std::lround(c[i] * 255));
      for (int j = 0; j < 3; j++)
        EXPECT_TRUE(!strong[k][i] || strong[k][j] || c[i] > c[j] + 0.4f) << i << j;
    }
    EXPECT_NEAR(ObjectTable[6].pick[0], u, 0.04f);  // the mark lands on the click
    EXPECT_NEAR(edit_pick[1], v, 0.04f);
  }
}

TEST_F(PanelsGl, BlackAndWhiteAreNotPickedAndTheShownFrameIsRead) {
  ObjectTable[6].pick[0] = edit_pick[0] = 0.3f;
  ObjectTable[6].pick[1] = edit_pick[1] = -0.2f;
  edit_intensity = 0;  // a black hexagon
  display_3d();
  click_hexagon(0.2f, 0.1f);
  edit_intensity = 0.5f;
  display_3d();
  click_hexagon(0.3f, -0.2f);  // the white mark
  EXPECT_EQ(state(ObjectTable[6].color[0], ObjectTable[6].pick[1]), state(200 / 255.0f, -0.2f));

  // After the swap the back buffer holds something else; the pick still
  // takes the colour shown, darkened with the intensity.
  glutSwapBuffers();
  glClearColor(0, 0, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  click_hexagon(-0.8f, 0);
  EXPECT_NEAR(ObjectTable[6].color[0], 0.5f, 0.03f);
  EXPECT_LT(ObjectTable[6].color[2], 0.2f);
}

TEST_F(PanelsGl, SliderMarkOverItsLabelAndPreviewSphere) {
  current_record = 2;  // a light's preview is flat in its colour
  ObjectTable[2].shine = 0.45f;
  display_3d();
  unsigned char mark[9][5][3];  // over the "i" of "shine": the mark is drawn last
  glReadPixels(52, 214, 5, 9, GL_RGB, GL_UNSIGNED_BYTE, mark);
  for (const auto& row : mark)
    for (const auto& px : row) EXPECT_TRUE(px[0] == 255 && px[1] == 0 && px[2] == 255);
  EXPECT_NEAR(pixel(90, win_height - 171)[1], 230, 1);

  flat_2d();  // turned by 90 degrees: still a full disc
  glClearColor(0, 0, 0, 0);
  for (int axis = 0; axis < 2; axis++) {
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
