// The scene: one table of records (ambient light, five lights, up to seventy
// objects), the side tables indexed like it, the edit and copy buffers, and
// the shared mode flags. Plain globals, read and written in place.
#pragma once

constexpr int MAX_RECORDS = 76;     // records 0..75
constexpr int FIRST_OBJECT = 6;     // records 0..5 are the lights
constexpr int LAST_LIGHT = 5;       // light4
constexpr int LAST_INDEX = 75;      // highest usable record index
constexpr int MAX_SIL_POINTS = 80;  // silhouette points per record
constexpr int NAME_SIZE = 16;       // name bytes including the terminating zero
constexpr int MAX_NAME_LEN = 15;    // visible name characters
constexpr int LIGHT_COUNT = 6;      // ambient + light0..light4
constexpr int LIST_ROWS = 13;       // object list shows list_first..list_first+list_rows

// Object type codes (surfacetype, new_type).
enum SurfaceType {
  TYPE_BOX = 0,
  TYPE_SPHERE = 1,
  TYPE_CYLINDER = 2,
  TYPE_CONE = 3,
  TYPE_REVOLUTION = 4,
  TYPE_EXTRUSION = 5,
  TYPE_OPENEXT = 6,
  TYPE_FFACE = 7,
  TYPE_BFACE = 8,
  TYPE_COUNT = 9
};

// Field codes of step_field and of the object panel's selected value.
enum FieldCode {
  FIELD_SCALE_X = 0,
  FIELD_SCALE_Y = 1,
  FIELD_SCALE_Z = 2,
  FIELD_SCALE_ALL = 3,
  FIELD_ANGLE_X = 4,
  FIELD_ANGLE_Y = 5,
  FIELD_ANGLE_Z = 6,
  FIELD_POS_X = 7,
  FIELD_POS_Y = 8,
  FIELD_POS_Z = 9
};

struct ObjectRecord {
  float scales[3];                  // scale factors x, y, z (light records: marker size 0.1)
  int angles[3];                    // rotation about x, y, z in whole degrees
  float color[4];                   // r, g, b 0..1, then 1.0 for objects, 0 for lights
  float base[2];                    // silhouette origin in "curves" window pixels
  float position[4];                // x, y, z in scene units, then w (lights: 0 directional)
  int surfacetype;                  // type code 0..8; 1 for the light records
  char name[NAME_SIZE];             // zero-terminated name, at most 15 characters
  float pick[2];                    // colour picker mark, each -1..1
  float intensity;                  // brightness 0..1
  float shine;                      // shininess 0..1
  float silpix[MAX_SIL_POINTS][2];  // silhouette points in pixels, relative to base
  float sil[MAX_SIL_POINTS][2];     // the same points in model units (silpix / 20)
  int silend;                       // index of the last valid point, -1 when empty
  int knots;                        // 0 open, 1 periodic
  int order;                        // NURBS order 3 or 4
};

// The type name that creation stores in a new record's name.
const char* type_name(int type);

// --- Tables --------------------------------------------------------------
extern ObjectRecord ObjectTable[MAX_RECORDS];  // 0 ambient, 1..5 lights, 6..75 objects
extern int last_record;                        // index of the last record in use, 5..75
extern int current_record;                     // record the panels show and edit
extern int new_type;                           // type code of the next created object
extern int ClusterTable[MAX_RECORDS];          // 1 marks a cluster member
extern int CodeBindingTable[MAX_RECORDS];      // shader code entry bound to the record, 0 none
extern int light_on[LIGHT_COUNT];              // switches of ambient, light0..light4
extern int light_positional[LIGHT_COUNT];      // 1 when light record i (1..5) is positional
extern int same_color[MAX_RECORDS];            // scratch: member shares the current colour
extern int same_silhouette[MAX_RECORDS];       // scratch: member shares the current silhouette

// --- Edit buffer: working values of the current record --------------------
extern unsigned char edit_color[3];  // colour as truncated bytes 0..255
extern float edit_pick[2];           // picker mark
extern float edit_intensity;         // intensity 0..1
extern float edit_shine;             // shininess 0..1
extern float edit_scales[3];         // scale factors
extern int edit_angles[3];           // angles in degrees
extern float edit_position[3];       // position x, y, z
extern float edit_base[2];           // silhouette origin
extern int edit_knots;               // knot type
extern int edit_order;               // order

// --- Spare records ---------------------------------------------------------
extern ObjectRecord CopyBuffer;  // record held by "copy ..." for "paste ..."
extern int copy_binding;         // code binding kept with the CopyBuffer
extern int copy_valid;           // 1 once something was copied

// --- Modes, view and shared flags ---------------------------------------------
extern int cluster_mode;       // 0 object mode, 1 cluster mode
extern int highlight_current;  // draw the current object inverted
extern int latitude;           // eye elevation, degrees
extern int longitude;          // eye azimuth, degrees 0..360
extern int distance;           // eye distance from the origin
extern int list_first;         // first record index shown in the object list
extern int list_rows;          // rows of the object list after the first
extern int panels_shown;       // the overlay pass draws the panels

// Dialog and menu flags (0 or 1); the menus and dialogs draw and answer them.
extern int confirm_delete;      // "delete object?" / "delete cluster?"
extern int confirm_delete_all;  // "delete all?"
extern int confirm_unbind;      // "all cs bindings?"
extern int too_many_objects;    // "too many objects"
extern int not_in_cluster;      // "current not in clstr"
extern int too_many_points;     // "too many points"
extern int choose_ext_type;     // the extrusion choice
extern int io_menu_open;        // "i/o menu" dropped down
extern int misc_menu_open;      // second menu dropped down
extern int show_lights;         // light markers drawn in the 3D view
extern int view_cluster;        // 3D view shows only the cluster

// Puts every table and flag of the scene back to its start values.
void reset_scene();

// --- Object operations -------------------------------------------------------
void create_object();
void duplicate_current();
void copy_record(int dst, int src);
void delete_current();
void delete_all();
void load_edit_buffer();
void apply_edit_buffer();
void copy_to_copy_buffer(int i);
void paste_color_properties(int i);
// Copies a record's look: its colour (the first `components` of r, g, b, a),
// the colour pick, intensity and shine.
void copy_look(ObjectRecord& to, const ObjectRecord& from, int components);
void paste_silhouette(int i);
void step_field(int field, int cluster, float delta, int record);
void color_to_pick(int r, int g, int b, float out[2]);

// --- Clusters --------------------------------------------------------------
void duplicate_cluster();
void delete_cluster();
void mark_same_color();
void propagate_color();
int silhouette_equals(int i);
void propagate_silhouette();

// Whether index i names a record in use that is a scene object.
inline bool is_object_index(int i) { return i >= FIRST_OBJECT && i <= last_record; }
