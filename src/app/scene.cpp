// Definitions and start values of the scene tables and shared flags.
#include "app/scene.h"

#include <cstring>

ObjectRecord ObjectTable[MAX_RECORDS];
int last_record;
int current_record;
int new_type;
int ClusterTable[MAX_RECORDS];
int CodeBindingTable[MAX_RECORDS];
int light_on[LIGHT_COUNT];
int light_positional[LIGHT_COUNT];
int same_color[MAX_RECORDS];
int same_silhouette[MAX_RECORDS];

unsigned char edit_color[3];
float edit_pick[2];
float edit_intensity;
float edit_shine;
float edit_scales[3];
int edit_angles[3];
float edit_position[3];
float edit_base[2];
int edit_knots;
int edit_order;

ObjectRecord CopyBuffer;
int copy_binding;
int copy_valid;

int cluster_mode;
int highlight_current;
int latitude;
int longitude;
int distance;
int list_first;
int list_rows;
int panels_shown;

int confirm_delete;
int confirm_delete_all;
int confirm_unbind;
int too_many_objects;
int not_in_cluster;
int too_many_points;
int choose_ext_type;
int io_menu_open;
int misc_menu_open;
int show_lights;
int view_cluster;

const char* type_name(int type) {
  static const char* const names[TYPE_COUNT] = {
      "box", "sphere", "cylinder", "cone", "revolution", "extrusion", "openext", "fface", "bface"};
  if (type < 0 || type >= TYPE_COUNT) return "";
  return names[type];
}

// The ambient light and the five lights with their start values.
static void reset_lights() {
  static const char* const names[LIGHT_COUNT] = {"ambient", "light0", "light1",
                                                 "light2",  "light3", "light4"};
  static const float grey[LIGHT_COUNT] = {0.1f, 0.6f, 0.9f, 0.7f, 0.2f, 0.2f};
  static const float pos[LIGHT_COUNT][4] = {{0, 0, 0, 0},    {-20, 10, 20, 0}, {0, 20, 30, 0},
                                            {20, 10, 20, 0}, {0, 10, -30, 0},  {0, 30, 0, 0}};
  static const int on[LIGHT_COUNT] = {1, 1, 1, 1, 0, 0};
  for (int i = 0; i < LIGHT_COUNT; i++) {
    ObjectRecord& r = ObjectTable[i];
    for (int k = 0; k < 3; k++) {
      r.scales[k] = 0.1f;
      r.angles[k] = 0;
      r.color[k] = grey[i];
    }
    r.color[3] = 0.0f;
    r.pick[0] = r.pick[1] = 0.0f;
    r.base[0] = r.base[1] = 0.0f;
    r.surfacetype = 1;
    r.silend = -1;
    r.intensity = grey[i];
    r.shine = 1.0f;
    for (int k = 0; k < 4; k++) r.position[k] = pos[i][k];
    std::strcpy(r.name, names[i]);
    r.knots = 0;
    r.order = 0;
    light_on[i] = on[i];
  }
}

void reset_scene() {
  std::memset(ObjectTable, 0, sizeof ObjectTable);
  std::memset(ClusterTable, 0, sizeof ClusterTable);
  std::memset(CodeBindingTable, 0, sizeof CodeBindingTable);
  std::memset(light_positional, 0, sizeof light_positional);
  std::memset(same_color, 0, sizeof same_color);
  std::memset(same_silhouette, 0, sizeof same_silhouette);
  std::memset(&CopyBuffer, 0, sizeof CopyBuffer);
  copy_binding = 0;
  copy_valid = 0;
  last_record = LAST_LIGHT;
  new_type = TYPE_BOX;

  edit_color[0] = edit_color[1] = edit_color[2] = 0;
  edit_pick[0] = edit_pick[1] = 0.0f;
  edit_intensity = 0.8f;
  edit_shine = 0.8f;
  for (int k = 0; k < 3; k++) {
    edit_scales[k] = 0.2f;
    edit_angles[k] = 0;
    edit_position[k] = 0.0f;
  }
  edit_base[0] = edit_base[1] = 0.0f;
  edit_knots = 0;
  edit_order = 3;

  cluster_mode = 0;
  highlight_current = 0;
  latitude = 45;
  longitude = 45;
  distance = 24;
  list_first = FIRST_OBJECT;
  list_rows = LIST_ROWS;
  panels_shown = 1;

  confirm_delete = confirm_delete_all = confirm_unbind = 0;
  too_many_objects = not_in_cluster = too_many_points = 0;
  choose_ext_type = io_menu_open = misc_menu_open = 0;
  show_lights = view_cluster = 0;

  reset_lights();
  current_record = LAST_LIGHT;
  load_edit_buffer();
}
