// Pictures without a display against the "display" window: silmod-export's
// PNG shows what the window shows, and the shapes drawn without GLUT draw
// what GLUT's shapes drew.
#include <GL/freeglut.h>

#include <algorithm>

#include "io/session.h"
#include "render/shapes.h"
#include "support/picture_util.h"
#include "support/render_util.h"

struct PictureWindow : RenderTest {
  void SetUp() override {
    RenderTest::SetUp();
    char pattern[] = "/tmp/silmod_picture_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    fs::current_path(dir_ = pattern);
  }
  void TearDown() override {
    fs::current_path(old_);
    fs::remove_all(dir_);
    RenderTest::TearDown();
  }
  // The largest difference of a channel between the window's frame and the picture.
  int worst_difference(const Picture& p) {
    EXPECT_EQ(p.width, width);
    EXPECT_EQ(p.height, height);
    if (p.width != width || p.height != height) return 256;
    const std::vector<unsigned char> frame = read_rgb(0, 0, width, height);
    int worst = 0;
    for (int y = 0; y < height; y++)
      for (int x = 0; x < width; x++)
        for (int c = 0; c < 3; c++)
          worst = std::max(worst,
                           std::abs(frame[3 * ((height - 1 - y) * width + x) + c] - p.at(x, y)[c]));
    return worst;
  }
  std::string dir_, out_, err_;
  fs::path old_ = fs::current_path();
};

TEST_F(PictureWindow, PngEqualsTheWindowsDrawing) {
  add_picture_scene();
  ObjectTable[1].color[2] = 0.2f, light_on[4] = 1;  // the session's lights: one tinted, one more on
  ASSERT_TRUE(save_session("scene.ses"));
  const std::string size = " --size " + std::to_string(width) + "x" + std::to_string(height);
  for (const char* view : {"45,45,24", PICTURE_VIEW}) {
    for (int wire = 0; wire < 2; wire++) {
      SCOPED_TRACE(testing::Message() << "view " << view << " wireframe " << wire);
      const std::string args = "scene.ses --png scene.png --view " + std::string(view) + size;
      ASSERT_EQ(run_export(args + (wire ? " --wireframe" : ""), out_, err_), 0) << err_;
      std::sscanf(view, "%d,%d,%d", &latitude, &longitude, &distance);
      wireframe = wire;
      reset_tess_cache();  // as just loaded: no level of detail kept from another view
      display_3d();        // the frame the window shows after another one
      display_3d();
      EXPECT_LE(worst_difference(read_png("scene.png")), 1);
    }
  }
}

// The frames drawn by draw and by old, seen from two opposite sides, differ
// by at most one level anywhere; returns how many pixels draw covered.
template <class New, class Old>
static int expect_same_pixels(int width, int height, New draw, Old old) {
  int shown = 0;
  for (int side : {1, -1}) {
    std::vector<unsigned char> frames[2];
    for (int k = 0; k < 2; k++) {
      glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
      glMatrixMode(GL_MODELVIEW);
      glLoadIdentity();
      const float headlight[4] = {0.3f, 0.5f, 1, 0};  // from the eye's side, a little aslant
      glLightfv(GL_LIGHT0, GL_POSITION, headlight);
      gluLookAt(3 * side, 4 * side, 5 * side, 0, 0, 0, 0, 1, 0);
      glRotatef(20, 1, 1, 0);
      if (k == 0)
        draw();
      else
        old();
      frames[k] = read_rgb(0, 0, width, height);
    }
    int worst = 0;
    for (size_t i = 0; i < frames[0].size(); i++) {
      worst = std::max(worst, std::abs(frames[0][i] - frames[1][i]));
      shown += frames[0][i] != frames[0][i % 3];  // not the corner's clear colour
    }
    EXPECT_LE(worst, 1) << "seen from side " << side;
  }
  return shown;
}

TEST_F(PictureWindow, ShapesDrawAsGlutsShapesDid) {
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_NORMALIZE);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
  glClearColor(0.7f, 0.7f, 0.7f, 1.0f);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  const float red[4] = {0.8f, 0.2f, 0.1f, 1.0f}, shine = 40;
  set_material(red, red, red, &shine);
  const int w = width, h = height;
  EXPECT_GT(expect_same_pixels(
                w, h, [] { draw_cube(2, false); }, [] { glutSolidCube(2); }),
            5000);
  for (int slices : {11, 6, MAX_BALL_STEPS}) {
    const int stacks = slices == 11 ? 2 : slices;
    EXPECT_GT(expect_same_pixels(
                  w, h, [&] { draw_ball(2.5f, slices, stacks); },
                  [&] { glutSolidSphere(2.5, slices, stacks); }),
              5000)
        << slices << " slices";
  }
  // Beyond its table the ball draws nothing.
  for (int slices : {0, MAX_BALL_STEPS + 1})
    EXPECT_EQ(expect_same_pixels(
                  w, h, [&] { draw_ball(2.5f, slices, 4); }, [] {}),
              0)
        << slices;
  EXPECT_EQ(expect_same_pixels(
                w, h, [] { draw_ball(2.5f, 4, MAX_BALL_STEPS + 1); }, [] {}),
            0);
  glDisable(GL_LIGHTING);
  glColor3f(0.1f, 0.2f, 0.9f);
  EXPECT_GT(expect_same_pixels(
                w, h, [] { draw_cube(3, true); }, [] { glutWireCube(3); }),
            500);
  glEnable(GL_LIGHTING);
}
