#include <GL/glu.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "input/input.h"
#include "panels/material_panel.h"
#include "panels/overlay.h"
#include "render/render.h"
#include "support/gl_env.h"
#include "support/ui_scene.h"

struct PanelsGl : UiScene<1> {
  void SetUp() override {
    ensure_windows();
    UiScene::SetUp();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
  }
};

// The pixel at x, d below the top edge, as 0xRRGGBB.
static int pixel(int x, int d) {
  unsigned char p[3];
  glReadPixels(x, win_height - d, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
  return p[0] << 16 | p[1] << 8 | p[2];
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

TEST_F(PanelsGl, ALeftClickInTheScenePutsTheCurrentObjectOnThatFloorPoint) {
  const ObjectRecord& r = ObjectTable[6];
  display_3d();  // the start-up camera: the view's matrices survive the overlay pass
  click_ground(2.01, -1.01);
  EXPECT_EQ(r.position[0], 2.0f);
  EXPECT_EQ(r.position[2], -1.0f);
  EXPECT_EQ(edit_position[2], -1.0f);
  latitude = 5;  // the top of the view is now sky: nothing moves
  display_3d();
  mouse_3d(0, 0, win_width / 2, 30);
  EXPECT_EQ(r.position[0], 2.0f);
  click_ground(12.01, 12.01);
  EXPECT_EQ(r.position[2], 12.0f);
}

TEST_F(PanelsGl, TheOverlayGivesBackDepthTestAndLightingWithoutBlending) {
  display_3d();
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(PanelsGl, TextsFromDataAreDrawnLiterallyAndCutAfter199Characters) {
  flat_2d();
  const std::pair<std::string, int> texts[] = {{"50%d%s", 6},
                                               {"a\xe9\xff"
                                                "b",
                                                4},
                                               {std::string(300, 'x'), 199}};
  for (const auto& [text, chars] : texts) {
    panel_text(10, 10, "%s", text.c_str());
    GLfloat end[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, end);
    EXPECT_EQ(end[0], 10 + chars * 8) << text.substr(0, 10);
  }
}

// The window's pixels after text at (x, y), drawn by panel_text or as
// bitmaps a character, over a cleared frame and under the state a caller may
// have left: blending, a translucent colour, wireframe polygons, culling.
static std::vector<unsigned char> text_pixels(bool bitmaps, float x, float y, const char* text) {
  glClearColor(0.3f, 0.6f, 0.2f, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glEnable(GL_CULL_FACE);
  glColor4f(1.0f, 0.2f, 0.9f, 0.7f);
  if (bitmaps) {
    glRasterPos2f(x, y);
    for (const char* c = text; *c; c++)
      glutBitmapCharacter(GLUT_BITMAP_8_BY_13, static_cast<unsigned char>(*c));
  } else {
    panel_text(x, y, "%s", text);
  }
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glDisable(GL_CULL_FACE);
  glDisable(GL_BLEND);
  std::vector<unsigned char> rgb(3 * win_width * win_height);
  glReadPixels(0, 0, win_width, win_height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  return rgb;
}

TEST_F(PanelsGl, TextCoversThePixelsItsBitmapsWould) {
  std::string glyphs;
  for (int c = 1; c < 256; c++) glyphs += static_cast<char>(c);
  for (int window : {display_window, curves_window}) {
    glutSetWindow(window);
    win_width = glutGet(GLUT_WINDOW_WIDTH), win_height = glutGet(GLUT_WINDOW_HEIGHT);
    flat_2d();
    SCOPED_TRACE(testing::Message() << "window " << window);
    // Every glyph, in rows, at whole and fractional positions.
    for (int row = 0; row * 32 < 255; row++) {
      const std::string part = glyphs.substr(row * 32, 32);
      for (float x : {3.0f, 7.5f, 20.999f})
        EXPECT_EQ(text_pixels(false, x, 40.25f + row, part.c_str()),
                  text_pixels(true, x, 40.25f + row, part.c_str()))
            << "row " << row << " at " << x;
    }
    // Past the right edge of a narrow viewport bitmaps still show; from a
    // position outside it nothing does.
    glViewport(0, 0, 60, 60);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 60, 0, 60, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    for (float x : {40.0f, -1.0f, 61.0f})
      EXPECT_EQ(text_pixels(false, x, 20, "wide text"), text_pixels(true, x, 20, "wide text")) << x;
    glViewport(0, 0, win_width, win_height);
  }
  glutSetWindow(display_window);
}

// A window's first text makes its glyph texture; the caller's state is left
// as it was.
TEST_F(PanelsGl, AWindowsFirstTextLeavesItsStateAsItWas) {
  const int window = glutCreateWindow("text state");
  glViewport(0, 0, 37, 41);
  glClearColor(0.1f, 0.2f, 0.3f, 0.4f);
  glEnable(GL_BLEND);
  panel_text(5, 5, "first");
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 37);
  EXPECT_EQ(viewport[3], 41);
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_FLOAT_EQ(clear[0], 0.1f);
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  glutDestroyWindow(window);
  glutSetWindow(display_window);
}

// A click at a point of the hexagon in its unit coordinates.
static void click_hexagon(float u, float v) {
  material_click(0, 0, static_cast<int>(60 * (u + 1)), 224 - static_cast<int>(56 * (v + 1)));
}

TEST_F(PanelsGl, HexagonPicksItsColoursButNotBlackOrWhiteFromTheShownFrame) {
  // Counter-clockwise from the right: cyan, green, yellow, red, magenta, blue (0xRGB).
  const int strong[6] = {0x011, 0x010, 0x110, 0x100, 0x101, 0x001};
  const float* c = ObjectTable[6].color;
  display_3d();
  for (int k = 0; k < 6; k++) {
    const float u = 0.8f * std::cos(k * 1.0471976f), v = 0.8f * std::sin(k * 1.0471976f);
    click_hexagon(u, v);
    EXPECT_EQ((c[0] > .45f) << 8 | (c[1] > .45f) << 4 | (c[2] > .45f), strong[k]) << k;
    for (int j = 0; j < 3; j++) EXPECT_FLOAT_EQ(c[j], edit_color[j] / 255.0f) << k << " " << j;
    EXPECT_NEAR(ObjectTable[6].pick[0], u, 0.04f) << k;  // the mark lands on the click
    EXPECT_NEAR(edit_pick[1], v, 0.04f) << k;
  }
  material_click(0, 0, 60, 224);  // the strip's bottom row, under the hexagon: panel grey
  EXPECT_FLOAT_EQ(edit_pick[1], -1);
  const float last[3] = {c[0], c[1], c[2]};
  ObjectTable[6].pick[0] = edit_pick[0] = 0.3f;
  ObjectTable[6].pick[1] = edit_pick[1] = -0.2f;
  edit_intensity = 0;  // a black hexagon
  display_3d();
  click_hexagon(0.2f, 0.1f);
  edit_intensity = 0.5f;
  display_3d();
  click_hexagon(0.3f, -0.2f);  // the white mark
  for (int j = 0; j < 3; j++) EXPECT_EQ(c[j], last[j]) << j;
  EXPECT_EQ(ObjectTable[6].pick[1], -0.2f);
  // After the swap the back buffer holds something else; the pick still
  // takes the colour shown, darkened with the intensity.
  select_display_window();
  glutSwapBuffers();
  glClearColor(0, 0, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  click_hexagon(-0.8f, 0);
  EXPECT_NEAR(c[0], 0.5f, 0.03f);
  EXPECT_LT(c[2], 0.2f);
}

TEST_F(PanelsGl, ThePreviewSphereIsAFullDiscFlatForALight) {
  current_record = 2;  // a light's preview is flat in its colour
  display_3d();
  EXPECT_NEAR(pixel(90, win_height - 171) >> 8 & 255, 230, 1);
  flat_2d();  // turned by 90 degrees: still a full disc
  glClearColor(0, 0, 0, 0);
  for (int axis = 0; axis < 2; axis++) {
    glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    glColor3f(1, 1, 1);
    glTranslatef(100, 100, 0);
    glRotatef(90, axis, 1 - axis, 0);
    draw_preview_sphere(40);
    static unsigned char img[100 * 100 * 3];
    glReadPixels(50, 50, 100, 100, GL_RGB, GL_UNSIGNED_BYTE, img);
    int wrong = 0;  // holes inside the disc, or anything drawn outside it
    for (int i = 0; i < 100 * 100; i++) {
      const float r = std::hypot(i % 100 + 0.5f - 50, i / 100 + 0.5f - 50);
      wrong += (r < 38 && img[3 * i] != 255) || (r > 42 && img[3 * i] != 0);
    }
    EXPECT_EQ(wrong, 0) << "axis " << axis;
  }
}
