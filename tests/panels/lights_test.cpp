// Click sequences on the lights and view-settings panel (x from the panel's
// left edge, y from the window's top edge).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
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

constexpr int W = 600;

class Lights : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/silmod_lights_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    old_ = fs::current_path();
    fs::current_path(dir_);
    reset_all();
    win_width = W;
  }
  void TearDown() override {
    fs::current_path(old_);
    fs::remove_all(dir_);
  }
  fs::path dir_, old_;
};

// Events through the window's mouse callback, x given from the panel's left edge.
void event(int button, int state, int x, int y) { mouse_3d(button, state, x + W - 160, y); }
void press(int x, int y) { event(0, 0, x, y); }

}  // namespace

TEST_F(Lights, NameClicksSelectLightsAndToggleTheHighlight) {
  press(30, 65);  // "light3" row: record 3
  EXPECT_EQ(current_record, 3);
  EXPECT_EQ(edit_color[0], static_cast<unsigned char>(0.7f * 255));
  EXPECT_EQ(highlight_current, 0);
  press(30, 70);  // again: highlight on, then off
  EXPECT_EQ(highlight_current, 1);
  press(30, 70);
  EXPECT_EQ(highlight_current, 0);
  press(30, 70);
  press(30, 25);  // another light clears it
  EXPECT_EQ(current_record, 1);
  EXPECT_EQ(highlight_current, 0);

  // The ambient row never touches the flag.
  highlight_current = 1;
  press(30, 19);
  EXPECT_EQ(current_record, 0);
  EXPECT_EQ(highlight_current, 1);
  press(30, 5);
  EXPECT_EQ(highlight_current, 1);
  press(30, 20);  // the row below starts at y 20
  EXPECT_EQ(current_record, 1);

  // Only left presses on the name cell select.
  event(0, 1, 30, 105);
  event(2, 0, 30, 105);
  press(10, 105);
  press(60, 105);
  EXPECT_EQ(current_record, 1);
  press(59, 114);
  EXPECT_EQ(current_record, 5);
}

TEST_F(Lights, SwitchesAndDirectionalOrPositional) {
  press(75, 85);  // light3 (record 4) on
  EXPECT_EQ(light_on[4], 1);
  press(61, 85);
  EXPECT_EQ(light_on[4], 0);
  press(89, 5);  // the ambient switch
  EXPECT_EQ(light_on[0], 0);
  press(90, 5);  // between the cells: nothing
  EXPECT_EQ(light_on[0], 0);

  press(121, 45);  // light2 (record 2 is row 2) becomes positional
  EXPECT_FLOAT_EQ(ObjectTable[2].position[3], 1.0f);
  EXPECT_EQ(light_positional[2], 1);
  EXPECT_FLOAT_EQ(ObjectTable[2].position[0], 0.0f);  // its place stays
  EXPECT_FLOAT_EQ(ObjectTable[2].position[2], 30.0f);
  press(150, 45);
  EXPECT_FLOAT_EQ(ObjectTable[2].position[3], 0.0f);
  EXPECT_EQ(light_positional[2], 0);
  // A w from a session file other than 1 still counts as positional.
  ObjectTable[5].position[3] = 0.5f;
  light_positional[5] = 1;
  press(130, 110);
  EXPECT_FLOAT_EQ(ObjectTable[5].position[3], 0.0f);
  EXPECT_EQ(light_positional[5], 0);
  EXPECT_EQ(current_record, 5);  // none of this selects
}

TEST_F(Lights, LightRowsWaitForAPendingSessionLoad) {
  browse_load_ses = 1;
  press(30, 45);
  press(75, 45);
  press(125, 45);
  EXPECT_EQ(current_record, 5);
  EXPECT_EQ(light_on[2], 1);
  EXPECT_FLOAT_EQ(ObjectTable[2].position[3], 0.0f);
  // The rows below still work.
  press(10, 170);
  EXPECT_EQ(show_world_axes, 0);
  event(0, 1, 70, 130);
  EXPECT_EQ(res, 20);
}

TEST_F(Lights, DensitiesTakeEveryButtonOnPressAndRelease) {
  event(2, 1, 140, 121);
  EXPECT_EQ(res, 50);
  event(1, 0, 100, 134);
  EXPECT_EQ(res, 20);
  event(0, 1, 115, 125);
  EXPECT_EQ(res, 40);
  event(0, 0, 40, 130);
  EXPECT_EQ(res, 10);
  // Gaps between the labels and the rows around them do nothing.
  event(0, 0, 64, 130);
  event(0, 0, 125, 130);
  event(0, 0, 115, 120);
  event(0, 0, 115, 135);
  EXPECT_EQ(res, 10);
}

TEST_F(Lights, CodeListSwitchesAndToggles) {
  press(85, 150);
  EXPECT_EQ(code_list_shown, 1);
  event(0, 1, 85, 150);  // releases do nothing
  EXPECT_EQ(code_list_shown, 1);
  press(85, 150);
  EXPECT_EQ(code_list_shown, 0);

  press(30, 165);
  EXPECT_EQ(show_world_axes, 0);
  press(100, 174);
  EXPECT_EQ(show_object_axes, 1);
  press(30, 190);
  EXPECT_EQ(show_grid, 0);
  press(60, 165);  // between the two frames
  press(30, 160);  // the row boundary
  EXPECT_EQ(show_world_axes + show_object_axes + show_grid, 1);

  // "reset" only raises the question, which then takes every click.
  press(111, 141);
  EXPECT_EQ(confirm_unbind, 1);
  press(30, 165);
  EXPECT_EQ(show_world_axes, 0);
}

TEST_F(Lights, BackupButtonWritesAndLooksPressedWhileHeld) {
  press(90, 190);
  EXPECT_EQ(backup_pressed, 1);
  EXPECT_TRUE(fs::exists("backup.ses"));
  event(0, 1, 30, 190);  // released elsewhere: still drawn pressed
  EXPECT_EQ(backup_pressed, 1);
  event(0, 1, 119, 194);
  EXPECT_EQ(backup_pressed, 0);
  fs::remove("backup.ses");
  event(0, 1, 90, 190);  // a release never writes
  EXPECT_FALSE(fs::exists("backup.ses"));
}
