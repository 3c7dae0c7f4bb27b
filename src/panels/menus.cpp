// The top bar with the "misc" and "i/o menu" titles, their drop-down entries,
// and the modal dialogs in the middle of the "display" window.
#include "panels/menus.h"

#include <GL/gl.h>

#include <cstring>

#include "app/scene.h"
#include "app/window.h"
#include "browser/browser.h"
#include "io/code_table.h"
#include "io/session.h"
#include "panels/overlay.h"

int io_title_hot;
int misc_title_hot;
int io_item;
int misc_item;

void reset_menus() {
  io_title_hot = 0;
  misc_title_hot = 0;
  io_item = 0;
  misc_item = 0;
}

namespace {

constexpr int IO_ENTRIES = 6;
constexpr int MENU_REACH = 200;   // menus close when the pointer goes lower
constexpr float BAR_HEIGHT = 12;  // the grey bar along the top edge

constexpr AnchoredSpan TITLE_ROW = from_start(less_than(10));
constexpr AnchoredSpan BELOW_TITLES = from_start(greater_than(10));
constexpr AnchoredSpan ENTRY_ROWS = from_start(less_than(150));
// Entry k of a menu: the row band 20 k - 10 <= y < 20 k + 10, its text 10 pixels above its end.
constexpr AnchoredSpan entry_row(int k) { return from_start(half_open(20 * k - 10, 20 * k + 10)); }
constexpr float entry_d(int k) { return 10.0f + 20.0f * k; }
constexpr AnchoredSpan middle(int a, int b) { return from_middle(open_range(a, b)); }

const WindowCell menu_cells[] = {
    {"i/o menu", IO_TITLE, NO_CODE, {middle(-70, 5), TITLE_ROW}, -70, 10},
    {"misc", MISC_TITLE, NO_CODE, {middle(-130, -80), TITLE_ROW}, -130, 10},
    {"reset home dir", IO_ENTRY, 1, {middle(-70, 5), entry_row(1)}, -65, entry_d(1)},
    {"load session", IO_ENTRY, 2, {middle(-70, 50), entry_row(2)}, -65, entry_d(2)},
    {"save session", IO_ENTRY, 3, {middle(-70, 50), entry_row(3)}, -65, entry_d(3)},
    {"save to rib", IO_ENTRY, 4, {middle(-70, 50), entry_row(4)}, -65, entry_d(4)},
    {"save to gl", IO_ENTRY, 5, {middle(-70, 50), entry_row(5)}, -65, entry_d(5)},
    {"load RIB code file", IO_ENTRY, 6, {middle(-70, 150), entry_row(6)}, -65, entry_d(6)},
    {"light sources", MISC_ENTRY, 1, {middle(-130, 30), entry_row(1)}, -125, entry_d(1)},
    {"delete all objects", MISC_ENTRY, 2, {middle(-130, 30), entry_row(2)}, -125, entry_d(2)},
    {"view", MISC_ENTRY, 3, {middle(-130, 30), entry_row(3)}, -125, entry_d(3)},
    {"copy color properties", MISC_ENTRY, 4, {middle(-130, 30), entry_row(4)}, -125, entry_d(4)},
    {"paste color properties", MISC_ENTRY, 5, {middle(-130, 30), entry_row(5)}, -125, entry_d(5)},
    {"copy silhouette", MISC_ENTRY, 6, {middle(-130, 30), entry_row(6)}, -125, entry_d(6)},
    {"paste silhouette", MISC_ENTRY, 7, {middle(-130, 30), entry_row(7)}, -125, entry_d(7)},
    {"i/o open", IO_HOVER_OPEN, NO_CODE, {middle(-70, 10), TITLE_ROW}, NO_TEXT, NO_TEXT},
    {"i/o leave", IO_HOVER_LEAVE, NO_CODE, {middle(-60, 5), BELOW_TITLES}, NO_TEXT, NO_TEXT},
    {"i/o items", IO_HOVER_ITEMS, NO_CODE, {middle(-60, 50), ENTRY_ROWS}, NO_TEXT, NO_TEXT},
    {"misc open", MISC_HOVER_OPEN, NO_CODE, {middle(-130, -80), TITLE_ROW}, NO_TEXT, NO_TEXT},
    {"misc leave", MISC_HOVER_LEAVE, NO_CODE, {middle(-130, 20), BELOW_TITLES}, NO_TEXT, NO_TEXT},
    {"misc items", MISC_HOVER_ITEMS, NO_CODE, {middle(-130, 30), ENTRY_ROWS}, NO_TEXT, NO_TEXT},
};

// The answers of the dialogs; "unit" and "separates" take the places of "yes" and "no".
const WindowCell dialog_cells[] = {
    {"yes", DIALOG_LEFT, NO_CODE, {middle(-60, -20), middle(-30, 0)}, NO_TEXT, NO_TEXT},
    {"no", DIALOG_RIGHT, NO_CODE, {middle(0, 60), middle(-30, 0)}, NO_TEXT, NO_TEXT},
    {"OK", DIALOG_OK, NO_CODE, {middle(-20, 20), middle(-30, 30)}, NO_TEXT, NO_TEXT},
};

// The cell of a kind under the mouse in the window as it is now.
template <int N>
const WindowCell* window_cell_at(const WindowCell (&cells)[N], int x, int y, int kind) {
  return cell_at(cells, x, y, win_width, win_height, kind);
}
bool over(int kind, int x, int y) { return window_cell_at(menu_cells, x, y, kind) != nullptr; }

// ---- Dialogs -------------------------------------------------------------

// A text of a dialog at (W/2 + dx, H/2 + dy), y up.
struct DialogText {
  float dx, dy;
  const char* text;
};
// A dialog box: the flag that raises it and its texts, up to the first null
// one; a null first text is the delete question's, which follows the mode.
struct DialogBox {
  int* flag;
  DialogText texts[4];
};
constexpr DialogText YES = {-60, 10, "yes"};
constexpr DialogText NO = {15, 10, "no"};
constexpr DialogText CONTINUE = {-75, 30, "click to continue"};
constexpr DialogText OK = {-20, 10, "OK"};

// In drawing order: a later box covers an earlier one.
const DialogBox dialogs[] = {
    {&confirm_delete, {{-65, 40, nullptr}, YES, NO}},
    {&confirm_delete_all, {{-65, 40, "delete all?"}, YES, NO}},
    {&too_many_objects, {{-70, 50, "too many objects"}, CONTINUE, OK}},
    {&too_many_points, {{-70, 50, "too many points"}, CONTINUE, OK}},
    {&not_in_cluster, {{-90, 50, "current not in clstr"}, CONTINUE, OK}},
    {&confirm_unbind, {{-90, 50, "       remove "}, {-90, 30, "   all cs bindings?"}, YES, NO}},
    {&choose_ext_type,
     {{-70, 50, "ext surface type"},
      {-70, 30, "  choose below"},
      {-65, 10, "unit"},
      {5, 10, "separates"}}},
};

void draw_dialogs(int w2, int h2) {
  for (const DialogBox& d : dialogs) {
    if (!*d.flag) continue;
    set_color(palette::DIALOG);
    panel_rect(w2 - 90, h2, w2 + 90, h2 + 70);
    set_rgb(palette::DIALOG_TEXT);
    for (const DialogText& t : d.texts) {
      const char* text = t.text;
      if (!text && &t == d.texts)  // the delete question names what it deletes
        text = cluster_mode == 1 ? "delete cluster?" : "delete object?";
      if (!text) break;
      panel_text(w2 + t.dx, h2 + t.dy, "%s", text);
    }
  }
}

enum Answer { NONE, LEFT_CHOICE, RIGHT_CHOICE };

Answer answer_at(int x, int y) {
  if (window_cell_at(dialog_cells, x, y, DIALOG_LEFT)) return LEFT_CHOICE;
  if (window_cell_at(dialog_cells, x, y, DIALOG_RIGHT)) return RIGHT_CHOICE;
  return NONE;
}

bool ok_at(int x, int y) { return window_cell_at(dialog_cells, x, y, DIALOG_OK) != nullptr; }

// The extrusion choice: one "extrusion" record, or the three parts as a
// cluster. The three parts are made all together or not at all, so a nearly
// full table never keeps a side surface without its caps.
void create_extrusion(bool separates) {
  if (!separates) {
    new_type = TYPE_EXTRUSION;
    create_object();
  } else if (last_record + 3 > LAST_INDEX) {
    too_many_objects = 1;
  } else {
    const int parts[3] = {TYPE_OPENEXT, TYPE_FFACE, TYPE_BFACE};
    for (int type : parts) {
      new_type = type;
      create_object();
    }
  }
  save_backup();
  choose_ext_type = 0;
  raise_curves_window();
}

// ---- Menus ------------------------------------------------------------------

// A title with its highlight over the area where the pointer opens its menu.
void draw_title(const WindowCell& title, int open_kind, bool hot, int w, int h) {
  if (hot) {
    const Span open = cell_of_kind(menu_cells, open_kind)->hit.x.at(w);
    set_color(palette::HIGHLIGHT);
    panel_rect(open.lo - 1, h - title.text_d, open.hi + 1, h);
    set_rgb(palette::WHITE);
  } else {
    set_rgb(palette::BLACK);
  }
  panel_text(w / 2 + title.text_x, h - title.text_d, "%s", title.name);
}

// The label of a "misc" entry: two of them name what they would switch to.
const char* entry_label(const WindowCell& c) {
  if (c.kind == MISC_ENTRY && c.code == 1)
    return show_lights == 1 ? "hide light sources" : "show light sources";
  if (c.kind == MISC_ENTRY && c.code == 3)
    return view_cluster == 1 ? "view all objects" : "view current cluster";
  return c.name;
}

// The entries of an open menu, the highlighted one white.
void draw_entries(int kind, int item, int w, int h) {
  for (const WindowCell& c : menu_cells) {
    if (c.kind != kind) continue;
    const float level = item == c.code ? 1.0f : 0.0f;
    glColor3f(level, level, level);
    panel_text(w / 2 + c.text_x, h - c.text_d, "%s", entry_label(c));
  }
}

void draw_bar_and_menus(int w, int h) {
  set_color(palette::PANEL);
  panel_rect(left_panel_width, h - BAR_HEIGHT, w - right_panel_width, h);
  draw_title(*cell_of_kind(menu_cells, IO_TITLE), IO_HOVER_OPEN, io_title_hot, w, h);
  if (io_menu_open) draw_entries(IO_ENTRY, io_item, w, h);
  draw_title(*cell_of_kind(menu_cells, MISC_TITLE), MISC_HOVER_OPEN, misc_title_hot, w, h);
  if (misc_menu_open) draw_entries(MISC_ENTRY, misc_item, w, h);
}

// Entry k opens the file browser in that entry's mode.
void io_entry(int k) {
  static const BrowserMode modes[IO_ENTRIES] = {BROWSE_HOME,     BROWSE_LOAD_SES, BROWSE_SAVE_SES,
                                                BROWSE_SAVE_RIB, BROWSE_SAVE_C,   BROWSE_LOAD_CODE};
  if (k < 1 || k > IO_ENTRIES) return;
  open_browser(modes[k - 1]);
  io_menu_open = 0;
}

void paste_silhouette_here() {
  for (int i = 0; i <= last_record; i++)
    same_silhouette[i] = ClusterTable[i] == 1 && silhouette_equals(i) ? 1 : 0;
  paste_silhouette(current_record);
  load_edit_buffer();
  if (cluster_mode == 1) propagate_silhouette();
  redraw_all();
  select_display_window();
}

void misc_entry(int k) {
  switch (k) {
    case 1:
      show_lights = !show_lights;
      return;  // the menu stays open
    case 2:
      confirm_delete_all = 1;
      break;
    case 3:
      view_cluster = !view_cluster;
      return;
    case 4:
    case 6:
      copy_to_copy_buffer(current_record);
      copy_valid = 1;
      break;
    case 5:
      if (copy_valid) {
        paste_color_properties(current_record);
        load_edit_buffer();
      }
      break;
    case 7:
      if (copy_valid) paste_silhouette_here();
      break;
  }
  misc_menu_open = 0;
}

}  // namespace

const Layout<WindowCell> menu_layout = layout_of(
    menu_cells, [](int button, int state, int x, int y) { menu_click(button, state, x, y); });
const Layout<WindowCell> dialog_layout = layout_of(dialog_cells, dialog_click);

bool dialog_up() {
  return confirm_delete || confirm_delete_all || confirm_unbind || too_many_objects ||
         not_in_cluster || too_many_points || choose_ext_type;
}

void draw_dialogs_and_menus() {
  draw_dialogs(win_width / 2, win_height / 2);
  draw_bar_and_menus(win_width, win_height);
}

void dialog_click(int button, int state, int x, int y) {
  if (!left_press(button, state)) return;
  const Answer a = answer_at(x, y);
  if (confirm_delete) {
    if (a == LEFT_CHOICE) {
      if (cluster_mode == 1) {
        delete_cluster();
      } else {
        delete_current();
      }
    }
    if (a != NONE) confirm_delete = 0;
  } else if (confirm_delete_all) {
    if (a == LEFT_CHOICE) delete_all();
    if (a != NONE) confirm_delete_all = 0;
  } else if (confirm_unbind) {
    if (a == LEFT_CHOICE) {
      clear_code_table();
      for (int i = 0; i < MAX_RECORDS; i++) CodeBindingTable[i] = 0;
    }
    if (a != NONE) confirm_unbind = 0;
  } else if (too_many_objects) {
    if (ok_at(x, y)) too_many_objects = 0;
  } else if (not_in_cluster) {
    if (ok_at(x, y)) not_in_cluster = 0;
  } else if (too_many_points) {
    if (ok_at(x, y)) too_many_points = 0;
  } else if (choose_ext_type) {
    if (a != NONE) create_extrusion(a == RIGHT_CHOICE);
  }
}

bool menu_click(int button, int state, int x, int y) {
  if (!left_press(button, state) || browser_open || dialog_up()) return false;
  if (over(IO_TITLE, x, y)) {
    io_menu_open = !io_menu_open;
    if (io_menu_open) misc_menu_open = 0;
    return true;
  }
  if (over(MISC_TITLE, x, y)) {
    misc_menu_open = !misc_menu_open;
    if (misc_menu_open) io_menu_open = 0;
    return true;
  }
  const WindowCell* io = io_menu_open ? window_cell_at(menu_cells, x, y, IO_ENTRY) : nullptr;
  if (io) {
    io_entry(io->code);
    return true;
  }
  const WindowCell* misc = misc_menu_open ? window_cell_at(menu_cells, x, y, MISC_ENTRY) : nullptr;
  if (misc) {
    misc_entry(misc->code);
    return true;
  }
  return false;
}

// The entry number under mouse y while the pointer moves over a menu (0 on
// the titles, and past the last entry a number that highlights none).
static int hovered_item(int y) { return (y + 10) / 20; }

void menu_hover(int x, int y) {
  const int before[6] = {io_title_hot,   io_menu_open,   io_item,
                         misc_title_hot, misc_menu_open, misc_item};
  if (y > MENU_REACH) {
    io_menu_open = 0;
    misc_menu_open = 0;
  }
  // The first rule that matches ends the handling.
  if (over(IO_HOVER_OPEN, x, y) && !io_title_hot && !browser_open) {
    io_title_hot = 1;
    io_menu_open = 1;
    misc_title_hot = 0;
    misc_menu_open = 0;
  } else if (over(IO_HOVER_LEAVE, x, y) && io_title_hot && !io_menu_open) {
    io_title_hot = 0;
    io_item = 0;
  } else if (io_title_hot && !browser_open && over(IO_HOVER_ITEMS, x, y)) {
    io_item = hovered_item(y);
  } else if (over(MISC_HOVER_OPEN, x, y) && !misc_title_hot && !browser_open) {
    misc_title_hot = 1;
    misc_menu_open = 1;
    io_title_hot = 0;
    io_menu_open = 0;
  } else if (over(MISC_HOVER_LEAVE, x, y) && misc_title_hot && !misc_menu_open) {
    misc_title_hot = 0;
    misc_item = 0;
  } else if (misc_title_hot && !browser_open && over(MISC_HOVER_ITEMS, x, y)) {
    misc_item = hovered_item(y);
  }
  // Motion arrives often; only a change of the menus needs a new frame.
  const int after[6] = {io_title_hot,   io_menu_open,   io_item,
                        misc_title_hot, misc_menu_open, misc_item};
  if (std::memcmp(before, after, sizeof before) != 0) {
    select_display_window();
    post_redisplay();
  }
}
