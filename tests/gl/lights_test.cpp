// The lights and view-settings panel and the code list it switches on,
// drawn into the real "display" window and read back as pixels.
#include <gtest/gtest.h>

#include "app/scene.h"
#include "app/startup.h"
#include "io/code_table.h"
#include "panels/code_list.h"
#include "panels/lights_panel.h"
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

const Rgb highlight = {204, 204, 255};
const Rgb light_edge = {204, 204, 204};
const Rgb dark_edge = {102, 102, 102};

class LightsGl : public ::testing::Test {
 protected:
  void SetUp() override {
    ensure_windows();
    reset_all();
    glutSetWindow(display_window);
    win_width = glutGet(GLUT_WINDOW_WIDTH);
    win_height = glutGet(GLUT_WINDOW_HEIGHT);
    x0_ = win_width - right_panel_width;
  }
  // The lights panel at the top-right corner, or the code list at the
  // top-left, placed as the overlay pass places them.
  void draw(bool code_list) {
    glViewport(0, 0, win_width, win_height);
    glClearColor(1, 1, 1, 1);  // the panel grey over white differs from the dark edge
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
    if (code_list) {
      glTranslatef(0, win_height, 0);
      draw_code_list();
    } else {
      glTranslatef(x0_, 0, 0);
      draw_lights_panel();
    }
    glDisable(GL_BLEND);
  }
  // Pixel d rows below the top edge, x from the panel's left edge.
  Rgb at(int x, int d) { return pixel(x0_ + x, win_height - d); }
  // Whether a one-pixel line through that point has colour c (lines on
  // whole coordinates may land on either neighbouring pixel).
  bool line_at(int x, int d, Rgb c) {
    for (int dx = -1; dx <= 1; dx++)
      for (int dy = -1; dy <= 1; dy++)
        if (at(x + dx, d + dy) == c) return true;
    return false;
  }
  int x0_ = 0;
};

}  // namespace

TEST_F(LightsGl, CurrentLightRowIsHighlighted) {
  draw(false);
  EXPECT_EQ(at(64, 119), highlight);  // light4 (record 5) at start
  EXPECT_NE(at(64, 99), highlight);
  EXPECT_NE(at(66, 110), highlight);
  lights_click(0, 0, 30, 45);
  draw(false);
  EXPECT_EQ(at(64, 41), highlight);
  EXPECT_EQ(at(64, 59), highlight);
  EXPECT_NE(at(64, 119), highlight);
  // An object as current record: no light row lit.
  new_type = TYPE_BOX;
  create_object();
  draw(false);
  for (int d = 1; d < 120; d += 5) EXPECT_NE(at(64, d), highlight) << d;
}

TEST_F(LightsGl, ToggleFramesLookPressedWhenOn) {
  // World axes on: heavy light bottom-right edge, dark top-left.
  draw(false);
  EXPECT_TRUE(line_at(2 + 55, 170, light_edge));
  EXPECT_FALSE(line_at(2 + 55, 170, dark_edge));
  EXPECT_TRUE(line_at(2 + 30, 162, dark_edge));
  EXPECT_TRUE(line_at(2 + 30, 178, light_edge));
  // Backup raised until pressed.
  EXPECT_TRUE(line_at(2 + 65 + 55, 190, dark_edge));
  EXPECT_TRUE(line_at(2 + 65, 190, light_edge));
  EXPECT_FALSE(line_at(2 + 65, 190, dark_edge));
  lights_click(0, 0, 90, 190);
  draw(false);
  EXPECT_TRUE(line_at(2 + 65 + 55, 190, light_edge));
  EXPECT_FALSE(line_at(2 + 65 + 55, 190, dark_edge));
  EXPECT_TRUE(line_at(2 + 65, 190, dark_edge));
  std::remove("backup.ses");
}

TEST_F(LightsGl, CodeListHighlightsTheBoundEntry) {
  lights_click(0, 0, 85, 150);
  ASSERT_EQ(code_list_shown, 1);
  draw(true);
  // Entry 0 is bound: its row, 15..30 pixels below the top, is lit.
  const Rgb lit = {204, 255, 204};
  EXPECT_EQ(pixel(170, win_height - 20), lit);
  EXPECT_NE(pixel(170, win_height - 35), lit);
  EXPECT_NE(pixel(182, win_height - 20), lit);
  CodeBindingTable[current_record] = 3;
  draw(true);
  EXPECT_EQ(pixel(170, win_height - 61), lit);
  EXPECT_EQ(pixel(170, win_height - 74), lit);
  EXPECT_NE(pixel(170, win_height - 20), lit);
  EXPECT_NE(pixel(170, win_height - 200), Rgb({255, 255, 255}));  // translucent panel
}
