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
constexpr int MISC_ENTRIES = 7;
constexpr int ENTRY_SPACING = 20;  // pixels between entry baselines
constexpr int MENU_REACH = 200;    // menus close when the pointer goes lower
constexpr int BAR_HEIGHT = 10;     // titles are hit above this mouse y

const char* const io_labels[IO_ENTRIES] = {"reset home dir", "load session", "save session",
                                           "save to rib",    "save to gl",   "load RIB code file"};

// The entry number (1 = first) whose row band holds mouse y, 0 for none.
int entry_at(int y, int entries) {
  if (y < ENTRY_SPACING - BAR_HEIGHT) return 0;
  int k = (y + BAR_HEIGHT) / ENTRY_SPACING;
  return k <= entries ? k : 0;
}

// ---- Dialogs -------------------------------------------------------------

void dialog_box(int w2, int h2) {
  glColor4f(0.8f, 0.8f, 0.8f, 1.0f);
  panel_rect(w2 - 90, h2, w2 + 90, h2 + 70);
  glColor3f(1.0f, 0.0f, 0.0f);
}

void yes_no(int w2, int h2) {
  panel_text(w2 - 60, h2 + 10, "yes");
  panel_text(w2 + 15, h2 + 10, "no");
}

void notice(int w2, int h2, float x, const char* text) {
  dialog_box(w2, h2);
  panel_text(x, h2 + 50, "%s", text);
  panel_text(w2 - 75, h2 + 30, "click to continue");
  panel_text(w2 - 20, h2 + 10, "OK");
}

void draw_dialogs(int w2, int h2) {
  if (confirm_delete) {
    dialog_box(w2, h2);
    panel_text(w2 - 65, h2 + 40, cluster_mode == 1 ? "delete cluster?" : "delete object?");
    yes_no(w2, h2);
  }
  if (confirm_delete_all) {
    dialog_box(w2, h2);
    panel_text(w2 - 65, h2 + 40, "delete all?");
    yes_no(w2, h2);
  }
  if (too_many_objects) notice(w2, h2, w2 - 70, "too many objects");
  if (too_many_points) notice(w2, h2, w2 - 70, "too many points");
  if (not_in_cluster) notice(w2, h2, w2 - 90, "current not in clstr");
  if (confirm_unbind) {
    dialog_box(w2, h2);
    panel_text(w2 - 90, h2 + 50, "       remove ");
    panel_text(w2 - 90, h2 + 30, "   all cs bindings?");
    yes_no(w2, h2);
  }
  if (choose_ext_type) {
    dialog_box(w2, h2);
    panel_text(w2 - 70, h2 + 50, "ext surface type");
    panel_text(w2 - 70, h2 + 30, "  choose below");
    panel_text(w2 - 65, h2 + 10, "unit");
    panel_text(w2 + 5, h2 + 10, "separates");
  }
}

enum Answer { NONE, LEFT_CHOICE, RIGHT_CHOICE };

Answer answer_at(int x, int y) {
  const int w2 = win_width / 2, h2 = win_height / 2;
  if (y > h2 - 30 && y < h2) {
    if (x > w2 - 60 && x < w2 - 20) return LEFT_CHOICE;
    if (x > w2 && x < w2 + 60) return RIGHT_CHOICE;
  }
  return NONE;
}

bool ok_at(int x, int y) {
  const int w2 = win_width / 2, h2 = win_height / 2;
  return x > w2 - 20 && x < w2 + 20 && y > h2 - 30 && y < h2 + 30;
}

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

void draw_bar_and_menus(int w, int h) {
  const int w2 = w / 2;
  glColor4f(0.5f, 0.5f, 0.5f, 0.8f);
  panel_rect(left_panel_width, h - 12, w - right_panel_width, h);

  if (io_title_hot) {
    glColor4f(0.8f, 0.8f, 1.0f, 1.0f);
    panel_rect(w2 - 70, h - 10, w2 + 10, h);
    glColor3f(1.0f, 1.0f, 1.0f);
  } else {
    glColor3f(0.0f, 0.0f, 0.0f);
  }
  panel_text(w2 - 70, h - 10, "i/o menu");
  if (io_menu_open) {
    for (int k = 1; k <= IO_ENTRIES; k++) {
      float c = io_item == k ? 1.0f : 0.0f;
      glColor3f(c, c, c);
      panel_text(w2 - 65, h - 10 - ENTRY_SPACING * k, "%s", io_labels[k - 1]);
    }
  }

  if (misc_title_hot) {
    glColor4f(0.8f, 0.8f, 1.0f, 1.0f);
    panel_rect(w2 - 130, h - 10, w2 - 80, h);
    glColor3f(1.0f, 1.0f, 1.0f);
  } else {
    glColor3f(0.0f, 0.0f, 0.0f);
  }
  panel_text(w2 - 130, h - 10, "misc");
  if (misc_menu_open) {
    const char* labels[MISC_ENTRIES] = {
        show_lights == 1 ? "hide light sources" : "show light sources",
        "delete all objects",
        view_cluster == 1 ? "view all objects" : "view current cluster",
        "copy color properties",
        "paste color properties",
        "copy silhouette",
        "paste silhouette"};
    for (int k = 1; k <= MISC_ENTRIES; k++) {
      float c = misc_item == k ? 1.0f : 0.0f;
      glColor3f(c, c, c);
      panel_text(w2 - 125, h - 10 - ENTRY_SPACING * k, "%s", labels[k - 1]);
    }
  }
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
  const int w2 = win_width / 2;
  if (y < BAR_HEIGHT) {
    if (x > w2 - 70 && x < w2 + 5) {
      io_menu_open = !io_menu_open;
      if (io_menu_open) misc_menu_open = 0;
      return true;
    }
    if (x > w2 - 130 && x < w2 - 80) {
      misc_menu_open = !misc_menu_open;
      if (misc_menu_open) io_menu_open = 0;
      return true;
    }
    return false;
  }
  if (io_menu_open) {
    const int k = entry_at(y, IO_ENTRIES);
    const int right = k == 1 ? w2 + 5 : k < IO_ENTRIES ? w2 + 50 : w2 + 150;
    if (k > 0 && x > w2 - 70 && x < right) {
      io_entry(k);
      return true;
    }
  }
  if (misc_menu_open) {
    const int k = entry_at(y, MISC_ENTRIES);
    if (k > 0 && x > w2 - 130 && x < w2 + 30) {
      misc_entry(k);
      return true;
    }
  }
  return false;
}

void menu_hover(int x, int y) {
  const int w2 = win_width / 2;
  const int before[6] = {io_title_hot,   io_menu_open,   io_item,
                         misc_title_hot, misc_menu_open, misc_item};
  if (y > MENU_REACH) {
    io_menu_open = 0;
    misc_menu_open = 0;
  }
  // The first rule that matches ends the handling.
  if (y < BAR_HEIGHT && x > w2 - 70 && x < w2 + 10 && !io_title_hot && !browser_open) {
    io_title_hot = 1;
    io_menu_open = 1;
    misc_title_hot = 0;
    misc_menu_open = 0;
  } else if (y > BAR_HEIGHT && x > w2 - 60 && x < w2 + 5 && io_title_hot && !io_menu_open) {
    io_title_hot = 0;
    io_item = 0;
  } else if (io_title_hot && !browser_open && x > w2 - 60 && x < w2 + 50 && y < 150) {
    io_item = (y + BAR_HEIGHT) / ENTRY_SPACING;
  } else if (y < BAR_HEIGHT && x > w2 - 130 && x < w2 - 80 && !misc_title_hot && !browser_open) {
    misc_title_hot = 1;
    misc_menu_open = 1;
    io_title_hot = 0;
    io_menu_open = 0;
  } else if (y > BAR_HEIGHT && x > w2 - 130 && x < w2 + 20 && misc_title_hot && !misc_menu_open) {
    misc_title_hot = 0;
    misc_item = 0;
  } else if (misc_title_hot && !browser_open && x > w2 - 130 && x < w2 + 30 && y < 150) {
    misc_item = (y + BAR_HEIGHT) / ENTRY_SPACING;
  }
  // Motion arrives often; only a change of the menus needs a new frame.
  const int after[6] = {io_title_hot,   io_menu_open,   io_item,
                        misc_title_hot, misc_menu_open, misc_item};
  if (std::memcmp(before, after, sizeof before) != 0) {
    select_display_window();
    post_redisplay();
  }
}
