// Clicks on the lights and view-settings panel, x from the panel's left edge.
#include "browser/browser.h"
#include "input/ui_fixture.h"
#include "panels/lights_panel.h"
#include "panels/overlay.h"
#include "render/render.h"

static void event(int button, int up, int x, int y) { mouse_3d(button, up, x + 440, y); }
static void press(std::initializer_list<std::pair<int, int>> points) {
  for (const auto& [x, y] : points) event(0, 0, x, y);
}

using Lights = UiTest<>;

TEST_F(Lights, RowsDensitiesSwitchesTogglesAndBackup) {
  press({{30, 65}, {30, 70}});  // "light3", record 3; its name again toggles the highlight
  EXPECT_EQ(state(current_record, highlight_current, edit_color[0]), state(3, 1, 178));
  press({{30, 25}});  // another name clears it
  EXPECT_EQ(highlight_current, 0);
  highlight_current = 1;
  press({{30, 19}});  // the ambient row ends at y 19 and leaves the flag alone
  EXPECT_EQ(state(current_record, highlight_current), state(0, 1));
  press({{30, 20}, {75, 85}, {121, 45}});  // record 1; switch of 4; record 2 positional
  EXPECT_EQ(state(current_record, light_on[4], light_positional[2], ObjectTable[2].position[3]),
            state(1, 1, 1, 1));
  press({{150, 45}});  // and back
  EXPECT_EQ(state(light_positional[2], ObjectTable[2].position[3]), state(0, 0));
  browse_load_ses = 1;  // a pending session load shuts the rows out, not the rest
  press({{30, 65}, {75, 65}, {10, 170}});
  EXPECT_EQ(state(current_record, light_on[3], show_world_axes), state(1, 1, 0));
  // Any button, pressed or released: button, up, x, y, the density then.
  const std::tuple<int, int, int, int, int> densities[] = {
      {2, 1, 140, 121, 50}, {1, 0, 100, 134, 20}, {0, 1, 115, 125, 40},
      {0, 0, 64, 130, 40},  {0, 0, 40, 135, 40},  {0, 0, 33, 121, 10}};
  for (const auto& [button, up, x, y, value] : densities) {
    event(button, up, x, y);
    EXPECT_EQ(res, value) << x << "," << y;
  }
  press({{85, 150}, {100, 174}, {30, 190}, {60, 190}});  // the last between the frames
  EXPECT_EQ(state(code_list_shown, show_object_axes, show_grid), state(1, 1, 0));
  press({{90, 190}});
  event(0, 1, 30, 190);  // released elsewhere: still drawn pressed
  EXPECT_EQ(state(backup_pressed, written("backup.ses")), state(1, true));
  event(0, 1, 119, 194);  // released on it: drawn up again, and a release never writes
  EXPECT_EQ(state(backup_pressed, written("backup.ses")), state(0, false));
  press({{111, 141}, {85, 150}});  // "reset" asks, and the question takes every click
  EXPECT_EQ(state(confirm_unbind, code_list_shown), state(1, 1));
}
