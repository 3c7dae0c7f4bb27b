#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/scene.h"
#include "app/startup.h"
#include "app/window.h"
#include "curves/curves.h"

namespace {

// Press and release at (x, yw), yw counted up from the bottom; GLUT's y counts down.
void left(int x, int yw) {
  curves_mouse(0, 0, x, curves_height - yw);
  curves_mouse(0, 1, x, curves_height - yw);
}
void right(int x, int yw) { curves_mouse(2, 0, x, curves_height - yw); }
// Buttons of the bar: 0 "edit", 1 "ins", 2 "del", 3 "orgn", 4 order, 5 knot type.
void button(int k) { curves_mouse(0, 0, 40 * k + 20, 10); }

int add(int type) {
  new_type = type;
  create_object();
  return current_record;
}

// A record's silhouette as "x,y x,y ..." in pixels; checks sil = silpix / 20 on the way.
std::string points(int i = current_record) {
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

class CurvesMouse : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_all();
    add(TYPE_REVOLUTION);
  }
};

}  // namespace

TEST_F(CurvesMouse, AppendSelectInsertDelete) {
  left(13, 24);    // rounds down
  left(15, 35);    // halves round up
  left(250, 285);  // right of the buttons the top strip is canvas
  EXPECT_EQ(points(), "10,20 20,40 250,290");
  EXPECT_EQ(sel_point, 2);

  right(15, 30);  // as far from point 0 as from point 1: the lower index
  EXPECT_EQ(sel_point, 0);
  curves_mouse(2, 0, 150, 20);  // the corner over the first buttons takes no right clicks
  EXPECT_EQ(sel_point, 0);

  button(1);  // twice: the second between the first inserted point and its successor
  button(1);
  EXPECT_EQ(points(), "10,20 15,30 17.5,35 20,40 250,290");
  EXPECT_EQ(sel_point, 2);
  left(71, 44);  // "ins" leaves edit mode on: the click moves the new point
  EXPECT_EQ(points(), "10,20 15,30 70,40 20,40 250,290");

  right(250, 290);
  button(1);  // after the last point: a copy of it
  EXPECT_EQ(points(), "10,20 15,30 70,40 20,40 250,290 250,290");
  button(2);  // the last point: the selection moves down with the end
  EXPECT_EQ(sel_point, 4);
  right(70, 40);
  button(2);  // a middle point: the selection passes to the next one
  EXPECT_EQ(points(), "10,20 15,30 20,40 250,290");
  EXPECT_EQ(sel_point, 2);
  EXPECT_EQ(edit_mode, 0);
}

TEST_F(CurvesMouse, NoSelectionChangesNothing) {
  button(0);
  button(1);  // "ins" on an empty silhouette only ends edit mode
  EXPECT_EQ(edit_mode, 0);
  button(2);
  right(100, 100);
  EXPECT_EQ(sel_point, -1);
  button(0);
  left(100, 100);  // edit mode, nothing selected
  EXPECT_EQ(points(), "");

  // A selection made in another record names no point of this one.
  const int a = current_record;
  button(0);
  left(100, 100);
  left(120, 100);
  add(TYPE_REVOLUTION);
  for (int k = 0; k < 5; k++) left(100 + 20 * k, 150);
  current_record = a;
  load_edit_buffer();
  button(1);
  button(0);
  left(200, 200);
  button(2);
  EXPECT_EQ(points(), "100,100 120,100");
}

TEST_F(CurvesMouse, OriginMoves) {
  ObjectRecord& r = ObjectTable[current_record];
  left(120, 80);
  button(3);
  left(63, 37);  // snapped; the points move with it on the screen
  EXPECT_FLOAT_EQ(r.base[0], 60);
  EXPECT_FLOAT_EQ(edit_base[1], 40);
  EXPECT_EQ(points(), "120,80");

  right(107, 63);  // unsnapped; the points stay where they were on the screen
  EXPECT_FLOAT_EQ(r.base[0], 107);
  EXPECT_FLOAT_EQ(edit_base[1], 63);
  EXPECT_EQ(points(), "73,57");

  button(3);
  left(131, 90);  // snapped in window coordinates, so off the grid relative to the origin
  EXPECT_EQ(points(), "73,57 23,27");
}

TEST_F(CurvesMouse, ClusterEditsAndCurveType) {
  const int a = current_record;
  left(100, 100);
  left(120, 120);
  const int same = add(TYPE_REVOLUTION), other = add(TYPE_REVOLUTION),
            outside = add(TYPE_EXTRUSION);
  for (int i : {same, other, outside}) copy_record(i, a);
  ObjectTable[other].silpix[1][0] += 0.5f;
  ClusterTable[a] = ClusterTable[same] = ClusterTable[other] = 1;
  current_record = outside;
  load_edit_buffer();

  // Object mode: the current record only.
  left(140, 100);
  button(4);
  EXPECT_EQ(points(same), "100,100 120,120");
  EXPECT_EQ(ObjectTable[a].order, 3);
  EXPECT_EQ(ObjectTable[outside].order, 4);

  // Cluster mode: the silhouette reaches the members that shared it, the
  // curve type every member; each button writes only its own field.
  cluster_mode = 1;
  current_record = a;
  load_edit_buffer();
  left(160, 80);
  button(3);
  left(50, 50);
  EXPECT_EQ(points(same), "100,100 120,120 160,80");
  EXPECT_FLOAT_EQ(ObjectTable[same].base[0], 50);
  EXPECT_EQ(ObjectTable[other].silend, 1);
  EXPECT_FLOAT_EQ(ObjectTable[other].base[0], 0);
  EXPECT_EQ(points(outside), "100,100 120,120 140,100");
  auto type = [](int i) { return ObjectTable[i].order * 10 + ObjectTable[i].knots; };
  ObjectTable[outside].order = 3;
  ObjectTable[other].knots = 1;
  button(4);
  EXPECT_EQ(type(a), 40);
  EXPECT_EQ(type(other), 41);
  button(5);
  for (int i : {a, same, other}) EXPECT_EQ(type(i), 41) << i;
  EXPECT_EQ(type(outside), 30);
}

TEST_F(CurvesMouse, EightyPointsAndSilhouetteTypesOnly) {
  for (int k = 0; k < 80; k++) left(10 + 10 * (k % 25), 40 + 10 * (k / 25));
  const std::string full = points();
  left(280, 280);
  EXPECT_EQ(too_many_points, 1);
  too_many_points = 0;
  right(10, 40);
  button(1);
  EXPECT_EQ(too_many_points, 1);
  EXPECT_EQ(points(), full);

  add(TYPE_BOX);
  for (int k = 0; k < 6; k++) button(k);
  left(100, 100);
  right(100, 100);
  EXPECT_EQ(edit_mode + origin_mode + ObjectTable[current_record].order, 3);
  EXPECT_EQ(points(), "");
  for (int t = TYPE_REVOLUTION; t <= TYPE_BFACE; t++) {
    add(t);
    left(100, 100);
    EXPECT_EQ(points(), "100,100") << "type " << t;
  }
}
