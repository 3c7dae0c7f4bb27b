// The lights and view-settings panel through its own cells.
#include "browser/browser.h"
#include "panels/lights_panel.h"
#include "panels/overlay.h"
#include "render/render.h"
#include "support/cells.h"
#include "support/ui_scene.h"

static void click(const char* cell, int row = 0) { click_cell(lights_layout, cell, 0, row); }

using Lights = UiScene<>;

TEST_F(Lights, ALightsNameMakesItCurrentAndAgainTogglesTheHighlight) {
  click("name", 3);
  EXPECT_EQ(current_record, 3);
  EXPECT_EQ(edit_color[0], 178) << "the edit buffer shows light3";
  click("name", 3);
  EXPECT_EQ(highlight_current, 1);
  click("name", 0);  // the ambient leaves it alone
  EXPECT_EQ(highlight_current, 1);
  click("name", 1);
  EXPECT_EQ(highlight_current, 0);
  lights_click(0, 0, 30, 19);  // rows are 20 pixels high
  EXPECT_EQ(current_record, 0);
  lights_click(0, 0, 30, 20);
  EXPECT_EQ(current_record, 1);
}

TEST_F(Lights, SwitchAndKindOfALight) {
  click("switch", 4);
  EXPECT_EQ(light_on[4], 1);
  click("kind", 2);
  EXPECT_EQ(light_positional[2], 1);
  EXPECT_EQ(ObjectTable[2].position[3], 1.0f);
  click("kind", 2);
  EXPECT_EQ(light_positional[2], 0);
  EXPECT_EQ(ObjectTable[2].position[3], 0.0f);
}

TEST_F(Lights, APendingSessionLoadShutsOutTheLightRowsOnly) {
  browse_load_ses = 1;
  click("name", 3);
  click("switch", 3);
  click("w-axes");
  EXPECT_EQ(current_record, LAST_LIGHT);
  EXPECT_EQ(light_on[3], 1);
  EXPECT_EQ(show_world_axes, 0);
}

TEST_F(Lights, DensitiesTakeAnyButtonPressedOrReleasedWithinExclusiveBounds) {
  res = 30;  // none of them
  const std::tuple<int, int, int, int> events[] = {
      {62, 130, 0, 30},  {67, 130, 0, 30},  {110, 130, 0, 30}, {130, 130, 0, 30},
      {33, 120, 0, 30},  {33, 135, 0, 30},  {33, 121, 2, 10},  {102, 134, 1, 20},
      {111, 130, 0, 40}, {141, 130, 2, 50}, {142, 130, 0, 50}};
  for (const auto& [x, y, button, value] : events) {
    lights_click(button, 1, x, y);
    EXPECT_EQ(res, value) << x << "," << y;
  }
}

TEST_F(Lights, CodeListResetAndViewToggles) {
  lights_click(0, 0, 30, 175);   // below "w-axes"
  lights_click(0, 0, 100, 150);  // right of "show"
  EXPECT_EQ(show_world_axes, 1);
  EXPECT_EQ(code_list_shown, 0);
  for (const char* cell : {"show", "o-axes", "grid", "w-axes", "reset"}) click(cell);
  EXPECT_EQ(code_list_shown, 1);
  EXPECT_EQ(show_object_axes, 1);
  EXPECT_EQ(show_grid, 0);
  EXPECT_EQ(show_world_axes, 0);
  EXPECT_EQ(confirm_unbind, 1);
}

TEST_F(Lights, BackupIsWrittenOnThePressAndLooksPressedUntilReleasedOnIt) {
  press_cell(lights_layout, "backup");
  EXPECT_TRUE(written("backup.ses"));
  EXPECT_EQ(backup_pressed, 1);
  release_cell(lights_layout, "grid");
  EXPECT_EQ(backup_pressed, 1);
  release_cell(lights_layout, "backup");
  EXPECT_EQ(backup_pressed, 0);
  EXPECT_FALSE(written("backup.ses"));
}
