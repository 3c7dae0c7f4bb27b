// Operations that change the object table as a whole or move values between
// the current record and the edit buffer.
#include <cstring>

#include "app/scene.h"
#include "app/window.h"

static bool valid_index(int i) { return i >= 0 && i < MAX_RECORDS; }

// A colour channel as the truncated byte of the edit buffer; a channel that an
// intensity raise pushed past 1.0 (or a bad value from a file) holds 255 or 0.
static unsigned char color_byte(float c) {
  const float v = c * 255;
  if (!(v > 0.0f)) return 0;
  if (v >= 255.0f) return 255;
  return static_cast<unsigned char>(v);
}

static void copy_silhouette_points(ObjectRecord& dst, const ObjectRecord& src) {
  for (int k = 0; k <= src.silend && k < MAX_SIL_POINTS; k++) {
    dst.silpix[k][0] = src.silpix[k][0];
    dst.silpix[k][1] = src.silpix[k][1];
    dst.sil[k][0] = src.sil[k][0];
    dst.sil[k][1] = src.sil[k][1];
  }
}

// Every field of src into dst, silhouette points 0..silend only.
static void copy_fields(ObjectRecord& dst, const ObjectRecord& src) {
  for (int k = 0; k < 3; k++) {
    dst.scales[k] = src.scales[k];
    dst.angles[k] = src.angles[k];
  }
  for (int k = 0; k < 4; k++) {
    dst.color[k] = src.color[k];
    dst.position[k] = src.position[k];
  }
  dst.base[0] = src.base[0];
  dst.base[1] = src.base[1];
  dst.surfacetype = src.surfacetype;
  std::memcpy(dst.name, src.name, NAME_SIZE);
  dst.name[NAME_SIZE - 1] = '\0';
  dst.pick[0] = src.pick[0];
  dst.pick[1] = src.pick[1];
  dst.intensity = src.intensity;
  dst.shine = src.shine;
  dst.silend = src.silend;
  copy_silhouette_points(dst, src);
  dst.knots = src.knots;
  dst.order = src.order;
}

static void show_new_row() {
  if (current_record > list_first + list_rows) list_first++;
}

void create_object() {
  highlight_current = 0;
  if (last_record >= LAST_INDEX) {
    too_many_objects = 1;
    return;
  }
  last_record++;
  const int n = last_record;
  if (current_record < FIRST_OBJECT) {
    current_record = n - 1;
    load_edit_buffer();
  }
  ObjectRecord& r = ObjectTable[n];
  if (n == FIRST_OBJECT) {
    const float grey = 200.0f / 255.0f;
    r.color[0] = r.color[1] = r.color[2] = grey;
    r.color[3] = 1.0f;
    r.pick[0] = r.pick[1] = 0.0f;
    r.intensity = 0.8f;
    r.shine = 0.8f;
    r.base[0] = r.base[1] = 0.0f;
    for (int k = 0; k < 4; k++) r.position[k] = 0.0f;
    for (int k = 0; k < 3; k++) {
      r.scales[k] = 0.2f;
      r.angles[k] = 0;
    }
    r.surfacetype = new_type;
    r.silend = -1;
    r.order = 3;
    r.knots = 0;
    current_record = n;
    load_edit_buffer();
  } else {
    const ObjectRecord& c = ObjectTable[current_record];
    for (int k = 0; k < 4; k++) r.color[k] = c.color[k];
    r.pick[0] = c.pick[0];
    r.pick[1] = c.pick[1];
    r.intensity = c.intensity;
    r.shine = c.shine;
    r.base[0] = c.base[0];
    r.base[1] = c.base[1];
    for (int k = 0; k < 3; k++) {
      r.position[k] = c.position[k];
      r.scales[k] = c.scales[k];
      r.angles[k] = c.angles[k];
    }
    r.position[3] = 0.0f;
    r.order = c.order;
    r.knots = c.knots;
    r.surfacetype = new_type;
    r.silend = -1;
    current_record = n;
    show_new_row();
  }
  std::memset(r.name, 0, NAME_SIZE);
  std::strncpy(r.name, type_name(new_type), MAX_NAME_LEN);
  if (new_type == TYPE_OPENEXT) {
    cluster_mode = 1;
    for (int i = 0; i < n; i++) ClusterTable[i] = 0;
    ClusterTable[n] = 1;
  } else if (new_type == TYPE_FFACE || new_type == TYPE_BFACE) {
    ClusterTable[n] = 1;
  }
}

void duplicate_current() {
  if (last_record >= LAST_INDEX) {
    too_many_objects = 1;
    return;
  }
  copy_record(last_record + 1, current_record);
  last_record++;
  current_record = last_record;
  show_new_row();
}

void copy_record(int dst, int src) {
  if (!valid_index(dst) || !valid_index(src)) return;
  CodeBindingTable[dst] = CodeBindingTable[src];
  copy_fields(ObjectTable[dst], ObjectTable[src]);
  post_redisplay();
}

void delete_current() {
  if (!is_object_index(current_record)) return;
  for (int i = current_record; i < last_record; i++) {
    copy_record(i, i + 1);
    ClusterTable[i] = ClusterTable[i + 1];
  }
  ClusterTable[last_record] = 0;
  CodeBindingTable[last_record] = 0;
  if (current_record > 0) current_record--;
  last_record--;
  load_edit_buffer();
}

void delete_all() {
  for (int i = FIRST_OBJECT; i <= last_record; i++) {
    ClusterTable[i] = 0;
    CodeBindingTable[i] = 0;
  }
  last_record = LAST_LIGHT;
  current_record = LAST_LIGHT;
  load_edit_buffer();
}

void load_edit_buffer() {
  if (!valid_index(current_record)) return;
  const ObjectRecord& c = ObjectTable[current_record];
  for (int k = 0; k < 3; k++) {
    edit_color[k] = color_byte(c.color[k]);
    edit_scales[k] = c.scales[k];
    edit_angles[k] = c.angles[k];
    edit_position[k] = c.position[k];
  }
  edit_pick[0] = c.pick[0];
  edit_pick[1] = c.pick[1];
  edit_intensity = c.intensity;
  edit_shine = c.shine;
  edit_base[0] = c.base[0];
  edit_base[1] = c.base[1];
  edit_knots = c.knots;
  edit_order = c.order;
}

void apply_edit_buffer() {
  if (!valid_index(current_record)) return;
  ObjectRecord& c = ObjectTable[current_record];
  for (int k = 0; k < 3; k++) {
    c.position[k] = edit_position[k];
    c.scales[k] = edit_scales[k];
    c.angles[k] = edit_angles[k];
    c.color[k] = edit_color[k] / 255.0f;
  }
  c.base[0] = edit_base[0];
  c.base[1] = edit_base[1];
  c.intensity = edit_intensity;
  c.shine = edit_shine;
  c.knots = edit_knots;
  c.order = edit_order;
}

void copy_to_copy_buffer(int i) {
  if (!valid_index(i)) return;
  copy_binding = CodeBindingTable[i];
  copy_fields(CopyBuffer, ObjectTable[i]);
}

void paste_color_properties(int i) {
  if (!valid_index(i) || !copy_valid) return;
  ObjectRecord& r = ObjectTable[i];
  CodeBindingTable[i] = copy_binding;
  copy_look(r, CopyBuffer, 4);
}

void copy_look(ObjectRecord& to, const ObjectRecord& from, int components) {
  for (int k = 0; k < components && k < 4; k++) to.color[k] = from.color[k];
  to.pick[0] = from.pick[0];
  to.pick[1] = from.pick[1];
  to.intensity = from.intensity;
  to.shine = from.shine;
}

void paste_silhouette(int i) {
  if (!valid_index(i) || !copy_valid) return;
  ObjectRecord& r = ObjectTable[i];
  r.base[0] = CopyBuffer.base[0];
  r.base[1] = CopyBuffer.base[1];
  r.silend = CopyBuffer.silend;
  copy_silhouette_points(r, CopyBuffer);
  // A light's record has no curve order: the object keeps its own, since an
  // object of another order could be neither drawn, exported nor loaded again.
  if (CopyBuffer.order == 3 || CopyBuffer.order == 4) r.order = CopyBuffer.order;
  r.knots = CopyBuffer.knots;
}

constexpr float MIN_SCALE = 0.002f;
constexpr float MAX_SCALE = 9.99f;
constexpr float MAX_ANGLE = 720.0f;

static bool is_scale_field(int field) { return field >= FIELD_SCALE_X && field <= FIELD_SCALE_ALL; }
static bool is_angle_field(int field) { return field >= FIELD_ANGLE_X && field <= FIELD_ANGLE_Z; }

// Whether one cluster member's lower limit refuses a negative step.
static bool member_refuses(const ObjectRecord& m, int field, float delta) {
  if (field == FIELD_SCALE_ALL) {
    for (int k = 0; k < 3; k++)
      if (m.scales[k] + delta < MIN_SCALE) return true;
    return false;
  }
  if (is_scale_field(field)) return m.scales[field] + delta < MIN_SCALE;
  return m.angles[field - FIELD_ANGLE_X] + delta < -MAX_ANGLE;
}

// Whether the edit buffer's limits refuse a step of one record.
static bool single_refuses(int field, float delta) {
  auto out_of_scale = [delta](float s) { return s + delta < MIN_SCALE || s + delta > MAX_SCALE; };
  if (field == FIELD_SCALE_ALL)
    return out_of_scale(edit_scales[0]) || out_of_scale(edit_scales[1]) ||
           out_of_scale(edit_scales[2]);
  if (is_scale_field(field)) return out_of_scale(edit_scales[field]);
  if (is_angle_field(field)) {
    float a = edit_angles[field - FIELD_ANGLE_X] + delta;
    return a < -MAX_ANGLE || a > MAX_ANGLE;
  }
  return false;
}

// Adds delta to one field of a set of scales, angles and position, in the
// edit buffer or in a record. Angles are ints: the sum is truncated.
static void step_values(float* scales, int* angles, float* position, int field, float delta) {
  if (field == FIELD_SCALE_ALL) {
    for (int k = 0; k < 3; k++) scales[k] += delta;
  } else if (is_scale_field(field)) {
    scales[field] += delta;
  } else if (is_angle_field(field)) {
    int& a = angles[field - FIELD_ANGLE_X];
    a = static_cast<int>(a + delta);
  } else if (field >= FIELD_POS_X && field <= FIELD_POS_Z) {
    position[field - FIELD_POS_X] += delta;
  }
}

static void step_edit_buffer(int field, float delta) {
  step_values(edit_scales, edit_angles, edit_position, field, delta);
}

void step_field(int field, int cluster, float delta, int record) {
  const bool marked = valid_index(record) && ClusterTable[record] == 1;
  bool refused = field < FIELD_SCALE_X || field > FIELD_POS_Z;
  if (!refused && cluster == 1 && marked && delta < 0 && field <= FIELD_ANGLE_Z) {
    for (int m = 0; m <= last_record && !refused; m++)
      if (ClusterTable[m] == 1) refused = member_refuses(ObjectTable[m], field, delta);
  }
  if (!refused && (cluster == 0 || record < FIRST_OBJECT) && field <= FIELD_ANGLE_Z)
    refused = single_refuses(field, delta);

  if (!refused && cluster == 1 && marked) {
    for (int m = 0; m <= last_record; m++) {
      if (ClusterTable[m] != 1) continue;
      if (m == record)
        step_edit_buffer(field, delta);
      else
        step_values(ObjectTable[m].scales, ObjectTable[m].angles, ObjectTable[m].position, field,
                    delta);
    }
  } else if (!refused && cluster == 1 && record >= FIRST_OBJECT) {
    not_in_cluster = 1;
  } else if (!refused) {
    step_edit_buffer(field, delta);
  }
  apply_edit_buffer();
  redraw_all();
}

void color_to_pick(int r, int g, int b, float out[2]) {
  int k;
  float m;
  if (r >= g && r >= b) {
    k = 0;
    m = static_cast<float>(r);
  } else if (g >= r && g >= b) {
    k = 1;
    m = static_cast<float>(g);
  } else {
    k = 2;
    m = static_cast<float>(b);
  }
  edit_intensity = m / 255.0f;
  if (m <= 0.0f) return;  // black has no hue: the mark stays where it was
  const float rn = r / m, gn = g / m, bn = b / m;
  const float s = 0.8660254f;
  if (k == 0) {
    const float a = (1 - gn) - 0.5f * (1 - bn);
    const float d = s * (1 - bn);
    out[0] = -0.5f * a - s * d;
    out[1] = -s * a + 0.5f * d;
  } else if (k == 1) {
    out[0] = (1 - rn) - 0.5f * (1 - bn);
    out[1] = s * (1 - bn);
  } else {
    out[0] = (1 - rn) - 0.5f * (1 - gn);
    out[1] = -s * (1 - gn);
  }
}
