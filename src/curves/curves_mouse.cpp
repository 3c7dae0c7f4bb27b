// Clicks in the "curves" window: the bar of six buttons along the top edge,
// right-button selection and origin moves, and canvas clicks that append or
// move a snapped point or move the origin.
#include <GL/freeglut.h>

#include <cmath>
#include <cstdio>

#include "app/scene.h"
#include "app/window.h"
#include "curves/curves.h"

constexpr float PIXELS_PER_UNIT = 20.0f;

static bool is_silhouette_type(int type) { return type >= TYPE_REVOLUTION && type <= TYPE_BFACE; }

// Nearest multiple of 10, halves rounding up.
static int snap(int v) {
  const int r = ((v % 10) + 10) % 10;
  const int down = v - r;
  return r < 5 ? down : down + 10;
}

static void set_point(ObjectRecord& r, int j, float px, float py) {
  r.silpix[j][0] = px;
  r.silpix[j][1] = py;
  r.sil[j][0] = px / PIXELS_PER_UNIT;
  r.sil[j][1] = py / PIXELS_PER_UNIT;
}

static void copy_point(ObjectRecord& r, int dst, int src) {
  set_point(r, dst, r.silpix[src][0], r.silpix[src][1]);
}

// The selected point, or -1 when the selection names no point of this record
// (it is kept when another record becomes current).
static int selected(const ObjectRecord& r) {
  return sel_point >= 0 && sel_point <= r.silend ? sel_point : -1;
}

// Before an edit: the cluster members whose silhouette is the current one.
static void mark_same_silhouette() {
  for (int i = 0; i <= last_record && i < MAX_RECORDS; i++)
    same_silhouette[i] = ClusterTable[i] == 1 && silhouette_equals(i) ? 1 : 0;
}

// After an edit: hand the new silhouette to the members marked before it.
static void propagate() {
  if (cluster_mode == 1) propagate_silhouette();
}

static void redisplay_curves() {
  select_curves_window();
  post_redisplay();
}

// --- Right button ---------------------------------------------------------------

// The origin moves to the pointer unsnapped; the points keep their place on
// the screen, so the shape in the model changes relative to the axis.
static void move_origin_keep_points(ObjectRecord& r, int x, int yw) {
  const float dx = static_cast<float>(x - static_cast<int>(r.base[0]));
  const float dy = static_cast<float>(yw - static_cast<int>(r.base[1]));
  r.base[0] = edit_base[0] = static_cast<float>(x);
  r.base[1] = edit_base[1] = static_cast<float>(yw);
  for (int j = 0; j <= r.silend; j++) set_point(r, j, r.silpix[j][0] - dx, r.silpix[j][1] - dy);
  propagate();
  redraw_all();
}

// Nearest point by Manhattan distance; the lowest index wins a tie.
static void select_nearest(const ObjectRecord& r, int x, int yw) {
  if (r.silend < 0) {
    sel_point = -1;
  } else {
    sel_point = 0;
    float best = 10000.0f;
    for (int j = 0; j <= r.silend; j++) {
      const float d = std::fabs(edit_base[0] + r.silpix[j][0] - x) +
                      std::fabs(edit_base[1] + r.silpix[j][1] - yw);
      if (d < best) {
        best = d;
        sel_point = j;
      }
    }
  }
  redisplay_curves();
}

// --- Bar buttons -------------------------------------------------------------------

// A new point after the selected one, halfway to its successor (a copy of the
// last point when the last is selected); the new point is selected for moving.
static void insert_point(ObjectRecord& r) {
  edit_mode = 0;
  const int s = selected(r);
  if (r.silend >= MAX_SIL_POINTS - 1) {
    too_many_points = 1;
  } else if (s >= 0) {
    const int old_last = r.silend;
    r.silend++;
    for (int j = old_last; j > s; j--) copy_point(r, j + 1, j);
    if (s == old_last)
      copy_point(r, s + 1, s);
    else
      set_point(r, s + 1, (r.silpix[s][0] + r.silpix[s + 2][0]) / 2.0f,
                (r.silpix[s][1] + r.silpix[s + 2][1]) / 2.0f);
    edit_mode = 1;
    sel_point = s + 1;
  }
  propagate();
  redraw_all();
}

// Removes the selected point; the selection passes to the following point,
// or to the new last point when the last one went.
static void delete_point(ObjectRecord& r) {
  const int s = selected(r);
  if (s < 0) return;
  edit_mode = 0;
  if (s == r.silend) {
    sel_point = s - 1;
  } else {
    for (int j = s; j < r.silend; j++) copy_point(r, j, j + 1);
  }
  r.silend--;
  propagate();
  redraw_all();
}

// Order and knot type go to the current record and, in cluster mode, to
// every member; the current record always gets them, so the edit buffer keeps
// matching it even when it is not a member.
static bool takes_curve_type(int i) {
  return i == current_record || (cluster_mode == 1 && ClusterTable[i] == 1);
}

static void toggle_order() {
  edit_order = edit_order == 3 ? 4 : 3;
  for (int i = 0; i <= last_record && i < MAX_RECORDS; i++)
    if (takes_curve_type(i)) ObjectTable[i].order = edit_order;
  redraw_all();
}

static void toggle_knots() {
  edit_knots = edit_knots == 0 ? 1 : 0;
  for (int i = 0; i <= last_record && i < MAX_RECORDS; i++)
    if (takes_curve_type(i)) ObjectTable[i].knots = edit_knots;
  redraw_all();
}

// Returns false when the press is not on a button and is a canvas click.
static bool bar_click(ObjectRecord& r, int x, int y) {
  const Cell* c = cell_at(curves_bar_layout, x, y);
  switch (c ? c->kind : -1) {
    case BAR_EDIT:
      edit_mode = edit_mode ? 0 : 1;
      redisplay_curves();
      return true;
    case BAR_INSERT:
      insert_point(r);
      return true;
    case BAR_DELETE:
      delete_point(r);
      return true;
    case BAR_ORIGIN:
      origin_mode = origin_mode ? 0 : 1;
      redisplay_curves();
      return true;
    case BAR_ORDER:
      toggle_order();
      return true;
    case BAR_KNOTS:
      toggle_knots();
      return true;
    default:
      return false;
  }
}

// --- Canvas ------------------------------------------------------------------------

static void canvas_click(ObjectRecord& r, int sx, int sy) {
  if (origin_mode == 1) {
    // The whole polygon moves with its origin; the model keeps its shape.
    r.base[0] = edit_base[0] = static_cast<float>(sx);
    r.base[1] = edit_base[1] = static_cast<float>(sy);
  } else if (edit_mode == 0) {
    if (r.silend >= MAX_SIL_POINTS - 1) {
      too_many_points = 1;
    } else {
      r.silend++;
      sel_point = r.silend;
      set_point(r, r.silend, sx - edit_base[0], sy - edit_base[1]);
    }
  } else {
    const int s = selected(r);
    if (s < 0) return;  // nothing selected to move
    edit_base[0] = r.base[0];
    edit_base[1] = r.base[1];
    set_point(r, s, sx - r.base[0], sy - r.base[1]);
  }
  propagate();
  redraw_all();
}

void curves_mouse(int button, int state, int x, int y) {
  if (current_record < 0 || current_record >= MAX_RECORDS) return;
  ObjectRecord& r = ObjectTable[current_record];
  if (!is_silhouette_type(r.surfacetype)) return;
  if (r.silend < -1 || r.silend >= MAX_SIL_POINTS) {
    std::fprintf(stderr, "curves: record %d has a silhouette of %d points, not edited\n",
                 current_record, r.silend + 1);
    return;
  }
  mark_same_silhouette();
  if (state != GLUT_DOWN) return;

  const int yw = curves_height - y;
  if (button == GLUT_RIGHT_BUTTON) {
    if (cell_at(curves_bar_layout, x, y, BAR_CORNER)) return;
    if (origin_mode == 1)
      move_origin_keep_points(r, x, yw);
    else
      select_nearest(r, x, yw);
    return;
  }
  if (button != GLUT_LEFT_BUTTON) return;
  if (bar_click(r, x, y)) return;
  canvas_click(r, snap(x), snap(yw));
}
