// The panels' pictures pinned: each state's overlay, drawn over a black frame,
// must keep every pixel. A deliberate change of the look shows here with the
// new checksum to put in the table.
#include <GL/freeglut.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "browser/browser.h"
#include "curves/curves.h"
#include "panels/lights_panel.h"
#include "panels/menus.h"
#include "panels/object_panel.h"
#include "panels/overlay.h"
#include "render/render.h"
#include "support/gl_env.h"
#include "support/ui_scene.h"

// FNV-1a over the RGB bytes of a w x h corner of the back buffer, leaving out
// the pixels for which skip(x, y) holds.
template <class Skip>
static uint64_t checksum(int w, int h, Skip skip) {
  std::vector<unsigned char> px(static_cast<size_t>(w) * h * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, px.data());
  uint64_t sum = 1469598103934665603ull;
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++)
      for (int c = 0; !skip(x, y) && c < 3; c++)
        sum = (sum ^ px[(static_cast<size_t>(y) * w + x) * 3 + c]) * 1099511628211ull;
  return sum;
}

// The overlay alone; the material panel's lit sphere has a test of its own.
static uint64_t overlay() {
  glutSetWindow(display_window);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  draw_panels();
  return checksum(600, 500, [](int x, int y) { return x <= 122 && y <= 224; });
}

// The "curves" window's button bar and point count (the top 70 rows).
static uint64_t curves_top() {
  glutSetWindow(curves_window);
  draw_curves_frame();
  return checksum(300, 300, [](int, int y) { return y < 230; });
}

struct Picture {
  const char* name;
  void (*set)();
  uint64_t expected;
};

struct Pictures : UiScene<1> {
  void SetUp() override {
    ensure_windows();
    UiScene::SetUp();
    for (const char* f : {"a.rib", "b.rib"}) std::ofstream{f};
    std::filesystem::create_directory("sub");
  }
  void check(const Picture* begin, const Picture* end, uint64_t (*picture)()) {
    for (const Picture* p = begin; p != end; p++) {
      reset_panels_layer();
      win_width = 600, win_height = 500;
      create_object();
      p->set();
      const uint64_t now = picture();
      EXPECT_EQ(now, p->expected) << p->name << " looks different; now 0x" << std::hex << now;
    }
  }
};

static void fixed_dir(const char* dir) { std::snprintf(current_dir, DIR_SIZE, "%s", dir); }

TEST_F(Pictures, PanelsMenusAndBrowser) {
  const Picture pictures[] = {
      {"start", [] {}, 0x80697dda8c47cca7},
      {"values",
       [] {
         panel_field = FIELD_COLOR, color_channel = CHANNEL_ALL, coarse_steps = wireframe = 0;
         new_type = TYPE_EXTRUSION, edit_position[0] = -3.5f, edit_angles[1] = 725;
         edit_scales[2] = 12, edit_color[1] = 7;
       },
       0xaa7f599ed1f3b338},
      {"selected", [] { panel_field = FIELD_SCALE_ALL, new_type = TYPE_BFACE; },
       0x9554b4ba6d8bbca3},
      {"position", [] { panel_field = FIELD_POS_Y, new_type = TYPE_CONE; }, 0x340a79ae3afbf49e},
      {"lights",
       [] {
         current_record = 2, light_on[4] = light_positional[3] = 1, res = 40;
         show_world_axes = 0, show_object_axes = backup_pressed = confirm_unbind = 1;
       },
       0x66d076f417bd5c73},
      {"cluster list",
       [] {
         for (int i = 0; i < 20; i++) create_object();
         cluster_mode = highlight_current = 1, list_first = 8, current_record = 21;
         ClusterTable[9] = ClusterTable[21] = ClusterTable[22] = 1;
         std::strcpy(ObjectTable[10].name, "50%d");
       },
       0xa79164dd0f170a9e},
      {"code list", [] { code_list_shown = 1, CodeBindingTable[current_record] = 3; },
       0x3fdca1573121ad78},
      {"i/o menu", [] { io_menu_open = io_title_hot = 1, io_item = 3; }, 0xf5fa3a5bf5d19998},
      {"misc menu",
       [] { misc_menu_open = misc_title_hot = show_lights = view_cluster = 1, misc_item = 5; },
       0xb7090ed961212bf6},
      {"saving",
       [] {
         open_browser(BROWSE_SAVE_RIB);
         fixed_dir("/a/directory/longer/than/thirty/characters");
         sel_entry = 1, updir_pressed = ask_overwrite = 1;
       },
       0xda09a7b957e5a22a},
      {"loading",
       [] {
         open_browser(BROWSE_LOAD_SES);
         fixed_dir("/short"), no_such_file = home_pressed = 1;
       },
       0xb7c797dc95b668d},
      {"home", [] { open_browser(BROWSE_HOME), std::strcpy(home_dir, "/home/x"); },
       0xa58c6b4174d9b4b2},
  };
  check(std::begin(pictures), std::end(pictures), overlay);
}

TEST_F(Pictures, Dialogs) {
  const Picture pictures[] = {
      {"delete object?", [] { confirm_delete = 1; }, 0x3d9f632d0758be06},
      {"delete cluster?", [] { confirm_delete = cluster_mode = 1; }, 0x782dc0af10773fc3},
      {"delete all?", [] { confirm_delete_all = 1; }, 0x3381113d3bfb9490},
      {"too many objects", [] { too_many_objects = 1; }, 0x7593207890e11a4b},
      {"too many points", [] { too_many_points = 1; }, 0xebe7bf68571b163d},
      {"not in cluster", [] { not_in_cluster = 1; }, 0x458d90995ee6ee4f},
      {"extrusion", [] { choose_ext_type = 1; }, 0xb15deb071a58b28b},
      {"narrow window",
       [] { win_width = 257, win_height = 301, io_menu_open = confirm_delete = 1; },
       0xe53822e4c35a4aa5},
  };
  check(std::begin(pictures), std::end(pictures), overlay);
}

TEST_F(Pictures, CurvesButtonBar) {
  const Picture pictures[] = {
      {"start", [] { new_type = TYPE_REVOLUTION, create_object(); }, 0xddb6997475f2e6e2},
      {"switched",
       [] {
         new_type = TYPE_REVOLUTION, create_object();
         edit_mode = origin_mode = edit_knots = 1, edit_order = 4;
         ObjectTable[current_record].silend = 11;
       },
       0xe666fbe985bf81a1},
  };
  check(std::begin(pictures), std::end(pictures), curves_top);
}
