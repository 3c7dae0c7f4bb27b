// Click sequences on the lights and view-settings panel through the window's
// mouse callback; x is given from the panel's left edge.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "app/scene.h"
#include "app/startup.h"
#include "app/window.h"
#include "browser/browser.h"
#include "input/input.h"
#include "panels/lights_panel.h"
#include "panels/overlay.h"
#include "render/render.h"

namespace fs = std::filesystem;

namespace {

class Lights : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/silmod_lights_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    old_ = fs::current_path();
    fs::current_path(dir_);
    reset_all();
    win_width = 600;
  }
  void TearDown() override {
    fs::current_path(old_);
    fs::remove_all(dir_);
  }
  fs::path dir_, old_;
};

void event(int button, int state, int x, int y) { mouse_3d(button, state, x + 440, y); }
void press(int x, int y) { event(0, 0, x, y); }

}  // namespace

TEST_F(Lights, LightRows) {
  press(30, 65);  // "light3" is record 3
  EXPECT_EQ(current_record, 3);
  EXPECT_EQ(edit_color[0], 178);
  press(30, 70);  // its name again toggles the highlight
  EXPECT_EQ(highlight_current, 1);
  press(30, 25);  // another name clears it
  highlight_current = 1;
  press(30, 19);  // the ambient row ends at y 19 and leaves the flag alone
  EXPECT_EQ(current_record + highlight_current, 1);
  press(30, 20);
  EXPECT_EQ(current_record, 1);

  press(75, 85);  // switch of record 4
  EXPECT_EQ(light_on[4], 1);
  press(121, 45);  // record 2 becomes positional, and back
  EXPECT_FLOAT_EQ(ObjectTable[2].position[3], 1.0f);
  EXPECT_EQ(light_positional[2], 1);
  press(150, 45);
  EXPECT_EQ(light_positional[2], 0);
  EXPECT_FLOAT_EQ(ObjectTable[2].position[2], 30.0f);

  // A pending session load shuts the rows out; the rows below still work.
  browse_load_ses = 1;
  press(30, 65);
  press(75, 65);
  EXPECT_EQ(current_record + light_on[3], 2);
  press(10, 170);
  EXPECT_EQ(show_world_axes, 0);
}

TEST_F(Lights, DensitiesOnPressAndReleaseOfAnyButton) {
  event(2, 1, 140, 121);
  EXPECT_EQ(res, 50);
  event(1, 0, 100, 134);
  EXPECT_EQ(res, 20);
  event(0, 1, 115, 125);
  EXPECT_EQ(res, 40);
  event(0, 0, 64, 130);  // between the labels
  event(0, 0, 40, 135);  // below the row
  EXPECT_EQ(res, 40);
}

TEST_F(Lights, SwitchesTogglesAndBackup) {
  press(85, 150);
  EXPECT_EQ(code_list_shown, 1);
  press(100, 174);
  press(30, 190);
  press(60, 190);  // between the frames
  EXPECT_EQ(show_object_axes, 1);
  EXPECT_EQ(show_grid, 0);

  press(90, 190);
  EXPECT_EQ(backup_pressed, 1);
  EXPECT_TRUE(fs::remove("backup.ses"));
  event(0, 1, 30, 190);  // released elsewhere: still drawn pressed
  EXPECT_EQ(backup_pressed, 1);
  event(0, 1, 119, 194);
  EXPECT_EQ(backup_pressed, 0);
  EXPECT_FALSE(fs::exists("backup.ses"));  // a release never writes

  press(111, 141);  // "reset" asks, and the question takes every click
  EXPECT_EQ(confirm_unbind, 1);
  press(85, 150);
  EXPECT_EQ(code_list_shown, 1);
}
