// The panels' pictures pinned: each state's overlay, drawn over a grey frame,
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
  glClearColor(0.7f, 0.7f, 0.7f, 1);  // the scene's grey, where menu entries show
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  draw_panels();
  return checksum(600, 500,
                  [](int x, int y) { return x >= 18 && x <= 102 && y >= 129 && y <= 213; });
}

// A frame of the "curves" window, reshaped twice to the same size.
static uint64_t curves_frame() {
  glutSetWindow(curves_window);
  curves_reshape(300, 300);
  curves_reshape(300, 300);
  draw_curves_frame();
  return checksum(300, 300, [](int, int) { return false; });
}

struct Picture {
  const char* name;
  void (*set)();
  uint64_t expected;
};

struct PanelPictures : UiScene<1> {
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

TEST_F(PanelPictures, PanelsMenusAndBrowser) {
  const Picture pictures[] = {
      {"start", [] {}, 0xc5233e266d1a319d},
      {"values",
       [] {
         panel_field = FIELD_COLOR, color_channel = CHANNEL_ALL, coarse_steps = wireframe = 0;
         new_type = TYPE_EXTRUSION, edit_position[0] = -3.5f, edit_angles[1] = 725;
         edit_scales[2] = 12, edit_color[1] = 7;
       },
       0x8c31c1b2b44f8a1a},
      {"selected", [] { panel_field = FIELD_SCALE_ALL, new_type = TYPE_BFACE; },
       0xadd71e6a1fe848d9},
      {"position", [] { panel_field = FIELD_POS_Y, new_type = TYPE_CONE; }, 0x712c687381367b80},
      {"lights",
       [] {
         current_record = 2, light_on[4] = light_positional[3] = 1, res = 40;
         show_world_axes = 0, show_object_axes = backup_pressed = confirm_unbind = 1;
       },
       0x8e559cda4cd71fc7},
      {"cluster list",
       [] {
         for (int i = 0; i < 20; i++) create_object();
         cluster_mode = highlight_current = 1, list_first = 8, current_record = 21;
         ClusterTable[9] = ClusterTable[21] = ClusterTable[22] = 1;
         std::strcpy(ObjectTable[10].name, "50%d");
       },
       0xbdf164d381649659},
      {"code list", [] { code_list_shown = 1, CodeBindingTable[current_record] = 3; },
       0x434f946552788061},
      {"i/o menu", [] { io_menu_open = io_title_hot = 1, io_item = 3; }, 0xa27cc2ac069b78b4},
      {"misc menu",
       [] { misc_menu_open = misc_title_hot = show_lights = view_cluster = 1, misc_item = 5; },
       0x546b03a3f1172cae},
      {"saving",
       [] {
         open_browser(BROWSE_SAVE_RIB);
         fixed_dir("/a/directory/longer/than/thirty/characters");
         sel_entry = 1, updir_pressed = ask_overwrite = 1;
       },
       0xfa299a74f1a2d631},
      {"loading",
       [] {
         open_browser(BROWSE_LOAD_SES);
         fixed_dir("/short"), no_such_file = home_pressed = 1;
       },
       0x475c3128261804b7},
      {"listing", [] { open_browser(BROWSE_SAVE_RIB), fixed_dir("/short"), sel_entry = 1; },
       0x0c0789b6bea23a0e},
      {"home", [] { open_browser(BROWSE_HOME), std::strcpy(home_dir, "/home/x"); },
       0x4827d041d60d5fd5},
  };
  check(std::begin(pictures), std::end(pictures), overlay);
}

TEST_F(PanelPictures, Dialogs) {
  const Picture pictures[] = {
      {"delete object?", [] { confirm_delete = 1; }, 0x6c7bb6e0fd7c1714},
      {"delete cluster?", [] { confirm_delete = cluster_mode = 1; }, 0xeb122c98cffcab73},
      {"delete all?", [] { confirm_delete_all = 1; }, 0xa22fa13450a26dee},
      {"too many objects", [] { too_many_objects = 1; }, 0x9c58fd582986c7f9},
      {"too many points", [] { too_many_points = 1; }, 0x4e6fd2f63e863a0b},
      {"not in cluster", [] { not_in_cluster = 1; }, 0x39e8c773c5083625},
      {"extrusion", [] { choose_ext_type = 1; }, 0x4cf842f1b86a6bd1},
      {"narrow window",
       [] { win_width = 257, win_height = 301, io_menu_open = confirm_delete = 1; },
       0x500e7e35d651a881},
  };
  check(std::begin(pictures), std::end(pictures), overlay);
}

// Points added by left clicks at window pixels (y up) on the canvas.
static void add_points(std::initializer_list<std::pair<int, int>> points) {
  for (const auto& [x, y] : points) curves_mouse(0, 0, x, curves_height - y);
}

TEST_F(PanelPictures, CurveEditor) {
  const Picture pictures[] = {
      {"start", [] { new_type = TYPE_REVOLUTION, create_object(); }, 0x2b0c7ca52fc35f76},
      {"drawn",
       [] {
         new_type = TYPE_REVOLUTION, create_object();
         origin_mode = 1;
         add_points({{20, 30}});  // the origin
         origin_mode = 0;
         add_points({{60, 60}, {140, 200}, {220, 60}, {240, 180}, {100, 100}});
         const int current = current_record;
         create_object();  // a periodic member of two points: no closing line
         add_points({{80, 40}, {160, 120}});
         ClusterTable[current_record] = ObjectTable[current_record].knots = 1;
         current_record = current;
         sel_point = -1, edit_mode = origin_mode = edit_knots = 1, edit_order = 4;
         ObjectTable[current_record].knots = 1;
       },
       0xfff1bbb7bfcf0d57},
  };
  check(std::begin(pictures), std::end(pictures), curves_frame);
}
