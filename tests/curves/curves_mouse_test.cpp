// Click sequences through the "curves" window's mouse callback.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "app/scene.h"
#include "app/window.h"
#include "curves/curves.h"
#include "support/resets.h"

// Clicks from a script: "Lx,y" a left press and release, "Rx,y" a right press,
// at window x and y counted up from the bottom (GLUT's y counts down); "Bk" bar
// button k: 0 "edit", 1 "ins", 2 "del", 3 "orgn", 4 order, 5 knot type.
static void clicks(const std::string& script) {
  std::istringstream in(script);
  char kind, comma;
  for (int x, y; in >> kind >> x;) {
    if (kind == 'B') {
      curves_mouse(0, 0, 40 * x + 20, 10);
    } else if (in >> comma >> y) {
      curves_mouse(kind == 'R' ? 2 : 0, 0, x, curves_height - y);
      if (kind == 'L') curves_mouse(0, 1, x, curves_height - y);
    }
  }
}
static int add(int type) {
  new_type = type;
  create_object();
  return current_record;
}
static void make_current(int i) {
  current_record = i;
  load_edit_buffer();
}

// A silhouette as "x,y x,y ..." in pixels, checking sil = silpix / 20 on the way.
static std::string points(int i = current_record) {
  const ObjectRecord& r = ObjectTable[i];
  std::string s;
  for (int j = 0; j <= r.silend; j++) {
    EXPECT_FLOAT_EQ(r.sil[j][0] * 20, r.silpix[j][0]);
    EXPECT_FLOAT_EQ(r.sil[j][1] * 20, r.silpix[j][1]);
    char b[40];
    std::snprintf(b, sizeof b, "%s%g,%g", j ? " " : "", r.silpix[j][0], r.silpix[j][1]);
    s += b;
  }
  return s;
}
// The current silhouette with the selected point and the edit mode.
static std::string state() {
  return points() + " sel " + std::to_string(sel_point) + " edit " + std::to_string(edit_mode);
}
// A record's origin, then the edit buffer's, then its silhouette.
static std::string origin(int i = current_record) {
  const ObjectRecord& r = ObjectTable[i];
  char b[64];
  std::snprintf(b, sizeof b, "%g,%g %g,%g ", r.base[0], r.base[1], edit_base[0], edit_base[1]);
  return b + points(i);
}

struct CurvesMouse : ::testing::Test {
  void SetUp() override {
    reset_curves_layer();
    add(TYPE_REVOLUTION);
  }
};

TEST_F(CurvesMouse, AppendSelectInsertDelete) {
  clicks("L13,24 L15,35 L250,285");  // rounded down, halves up; the strip right of the bar
  EXPECT_EQ(state(), "10,20 20,40 250,290 sel 2 edit 0");
  // Equally far from points 0 and 1: the lower index; no right clicks over the bar's start.
  clicks("R15,30 R150,280");
  EXPECT_EQ(sel_point, 0);
  clicks("B1 B1");  // the second between the first inserted point and its successor
  EXPECT_EQ(state(), "10,20 15,30 17.5,35 20,40 250,290 sel 2 edit 1");
  clicks("L71,44");  // edit mode: the click moves the new point
  EXPECT_EQ(points(), "10,20 15,30 70,40 20,40 250,290");
  clicks("R250,290 B1");  // after the last point: a copy of it
  EXPECT_EQ(points(), "10,20 15,30 70,40 20,40 250,290 250,290");
  clicks("B2");  // the last point: the selection moves down with the end
  EXPECT_EQ(sel_point, 4);
  clicks("R70,40 B2");  // a middle point: the selection passes to the next one
  EXPECT_EQ(state(), "10,20 15,30 20,40 250,290 sel 2 edit 0");
}

TEST_F(CurvesMouse, NoSelectionChangesNothing) {
  clicks("B0 B1 B2 R100,100");  // "ins" on an empty silhouette only ends edit mode
  EXPECT_EQ(state(), " sel -1 edit 0");
  clicks("B0 L100,100");  // edit mode, nothing selected
  EXPECT_EQ(points(), "");
  // A selection made in another record names no point of this one.
  const int a = current_record;
  clicks("B0 L100,100 L120,100");
  add(TYPE_REVOLUTION);
  clicks("L100,150 L120,150 L140,150 L160,150 L180,150");
  make_current(a);
  clicks("B1 B0 L200,200 B2");
  EXPECT_EQ(points(), "100,100 120,100");
}

TEST_F(CurvesMouse, OriginMoves) {
  clicks("L120,80 B3 L63,37");  // snapped; the points move with it on the screen
  EXPECT_EQ(origin(), "60,40 60,40 120,80");
  clicks("R107,63");  // unsnapped; the points stay where they were on the screen
  EXPECT_EQ(origin(), "107,63 107,63 73,57");
  clicks("B3 L131,90");  // snapped in window coordinates, off the grid relative to the origin
  EXPECT_EQ(points(), "73,57 23,27");
}

TEST_F(CurvesMouse, ClusterEditsAndCurveType) {
  const int a = current_record;
  clicks("L100,100 L120,120");
  const int same = add(TYPE_REVOLUTION), other = add(TYPE_REVOLUTION),
            outside = add(TYPE_EXTRUSION);
  for (int i : {same, other, outside}) copy_record(i, a);
  ObjectTable[other].silpix[1][0] += 0.5f, ObjectTable[other].sil[1][0] += 0.025f;
  ClusterTable[a] = ClusterTable[same] = ClusterTable[other] = 1;
  make_current(outside);  // object mode: the current record only
  clicks("L140,100 B4");
  EXPECT_EQ(points(same), "100,100 120,120");
  EXPECT_EQ(ObjectTable[a].order * 10 + ObjectTable[outside].order, 34);
  // Cluster mode: the silhouette and its origin reach the members that shared
  // it, the curve type every member; each button writes only its own field.
  cluster_mode = 1;
  make_current(a);
  clicks("L160,80 B3 L50,50");
  EXPECT_EQ(origin(same), "50,50 50,50 100,100 120,120 160,80");
  EXPECT_EQ(origin(other), "0,0 50,50 100,100 120.5,120");
  EXPECT_EQ(points(outside), "100,100 120,120 140,100");
  auto type = [](int i) { return ObjectTable[i].order * 10 + ObjectTable[i].knots; };
  ObjectTable[outside].order = 3;
  ObjectTable[other].knots = 1;
  clicks("B4");
  EXPECT_EQ(type(a) * 100 + type(other), 4041);
  clicks("B5");
  for (int i : {a, same, other}) EXPECT_EQ(type(i), 41) << i;
  EXPECT_EQ(type(outside), 30);
}

TEST_F(CurvesMouse, EightyPointsAndSilhouetteTypesOnly) {
  for (int k = 0; k < 80; k++)
    clicks("L" + std::to_string(10 + 10 * (k % 25)) + "," + std::to_string(40 + 10 * (k / 25)));
  const std::string full = points();
  clicks("L280,280");
  EXPECT_EQ(too_many_points, 1);
  too_many_points = 0;
  clicks("R10,40 B1");  // "ins" is refused too
  EXPECT_EQ(too_many_points, 1);
  EXPECT_EQ(points(), full);
  add(TYPE_BOX);  // no button or click changes anything
  clicks("B0 B1 B2 B3 B4 B5 L100,100 R100,100");
  EXPECT_EQ(state() + " " + std::to_string(origin_mode + ObjectTable[current_record].order),
            " sel 0 edit 0 3");
  for (int t = TYPE_REVOLUTION; t <= TYPE_BFACE; t++) {
    add(t);
    clicks("L100,100");
    EXPECT_EQ(points(), "100,100") << "type " << t;
  }
}
