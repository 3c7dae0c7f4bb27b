// Clicks in the "curves" window: the bar through its cells, the canvas by scripts.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "app/scene.h"
#include "app/window.h"
#include "curves/curves.h"
#include "support/cells.h"
#include "support/resets.h"

// Canvas clicks from a script: "Lx,y" a left press and release, "Rx,y" a
// right press, at window x and y counted up from the bottom (GLUT's y counts down).
static void clicks(const std::string& script) {
  std::istringstream in(script);
  char kind, comma;
  for (int x, y; in >> kind >> x >> comma >> y;) {
    curves_mouse(kind == 'R' ? 2 : 0, 0, x, curves_height - y);
    if (kind == 'L') curves_mouse(0, 1, x, curves_height - y);
  }
}
static void bar(const char* button) { click_cell(curves_bar_layout, button); }
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
// An origin as "x,y".
static std::string at(const float p[2]) {
  char b[40];
  std::snprintf(b, sizeof b, "%g,%g", p[0], p[1]);
  return b;
}

struct CurvesMouse : ::testing::Test {
  void SetUp() override {
    reset_curves_layer();
    add(TYPE_REVOLUTION);
  }
};

TEST_F(CurvesMouse, LeftClicksAppendPointsSnappedToTheGrid) {
  clicks("L13,24 L15,35 L241,285");  // rounded down, halves up; right of the bar is canvas
  EXPECT_EQ(points(), "10,20 20,40 240,290");
  EXPECT_EQ(sel_point, 2);
}

TEST_F(CurvesMouse, ARightClickSelectsTheNearestPointTheLowerOnATie) {
  clicks("L10,20 L20,40 R15,30");
  EXPECT_EQ(sel_point, 0);
  clicks("R150,277");  // the corner over the bar's first buttons, to 23 below the top
  EXPECT_EQ(sel_point, 0);
  clicks("R163,276");
  EXPECT_EQ(sel_point, 1);
}

TEST_F(CurvesMouse, InsPutsAPointHalfwayOrCopiesTheLastAndSelectsItForMoving) {
  clicks("L10,20 L20,40 L250,290 R10,20");
  bar("ins");
  bar("ins");  // between the first inserted point and its successor
  EXPECT_EQ(points(), "10,20 15,30 17.5,35 20,40 250,290");
  EXPECT_EQ(sel_point, 2);
  EXPECT_EQ(edit_mode, 1);
  clicks("L71,44");  // the click moves the new point
  EXPECT_EQ(points(), "10,20 15,30 70,40 20,40 250,290");
  clicks("R250,290");
  bar("ins");  // after the last point: a copy of it
  EXPECT_EQ(points(), "10,20 15,30 70,40 20,40 250,290 250,290");
}

TEST_F(CurvesMouse, DelPassesTheSelectionToTheNextPointOrDownWithTheEnd) {
  clicks("L10,20 L20,40 L30,60 R20,40");
  bar("del");
  EXPECT_EQ(points(), "10,20 30,60");
  EXPECT_EQ(sel_point, 1);
  bar("del");
  EXPECT_EQ(points(), "10,20");
  EXPECT_EQ(sel_point, 0);
  EXPECT_EQ(edit_mode, 0);
  clicks("L40,80 L50,90 R10,20");  // the first point goes too
  bar("del");
  EXPECT_EQ(points(), "40,80 50,90");
  EXPECT_EQ(sel_point, 0);
}

TEST_F(CurvesMouse, WithoutASelectionNothingChangesButTheEditMode) {
  bar("edit");
  bar("ins");  // on an empty silhouette: only ends edit mode
  EXPECT_EQ(edit_mode, 0);
  bar("del");
  clicks("R100,100");
  EXPECT_EQ(sel_point, -1);
  bar("edit");
  clicks("L100,100");  // edit mode, nothing to move
  EXPECT_EQ(points(), "");
}

TEST_F(CurvesMouse, ASelectionMadeInAnotherRecordNamesNoPointHere) {
  const int a = current_record;
  clicks("L100,100 L120,100");
  add(TYPE_REVOLUTION);
  clicks("L100,150 L120,150 L140,150 L160,150 L180,150");
  make_current(a);
  bar("ins");
  bar("edit");
  clicks("L200,200");
  bar("del");
  EXPECT_EQ(points(), "100,100 120,100");
}

TEST_F(CurvesMouse, InOriginModeALeftClickMovesTheShapeWithItsOrigin) {
  clicks("L120,80");
  bar("orgn");
  clicks("L63,37");  // snapped
  EXPECT_EQ(at(ObjectTable[current_record].base), "60,40");
  EXPECT_EQ(at(edit_base), "60,40");
  EXPECT_EQ(points(), "120,80");
}

TEST_F(CurvesMouse, InOriginModeARightClickMovesOnlyTheOrigin) {
  clicks("L120,80");
  bar("orgn");
  clicks("L63,37 R107,63");  // unsnapped; the point stays where it was on the screen
  EXPECT_EQ(at(ObjectTable[current_record].base), "107,63");
  EXPECT_EQ(at(edit_base), "107,63");
  EXPECT_EQ(points(), "73,57");
  bar("orgn");
  clicks("L131,90");  // snapped in window coordinates, off the grid relative to the origin
  EXPECT_EQ(points(), "73,57 23,27");
}

struct CurvesCluster : CurvesMouse {
  int a = 0, same = 0, other = 0, outside = 0;
  void SetUp() override {
    CurvesMouse::SetUp();
    a = current_record;
    clicks("L100,100 L120,120");
    outside = add(TYPE_EXTRUSION), other = add(TYPE_REVOLUTION), same = add(TYPE_REVOLUTION);
    for (int i : {same, other, outside}) copy_record(i, a);
    ObjectTable[other].silpix[1][0] += 0.5f, ObjectTable[other].sil[1][0] += 0.025f;
    ClusterTable[a] = ClusterTable[same] = ClusterTable[other] = 1;
  }
};

TEST_F(CurvesCluster, InObjectModeOnlyTheCurrentRecordChanges) {
  make_current(outside);
  clicks("L140,100");
  bar("order");
  EXPECT_EQ(points(same), "100,100 120,120");
  EXPECT_EQ(ObjectTable[outside].order, 4);
  EXPECT_EQ(ObjectTable[a].order, 3);
}

TEST_F(CurvesCluster, AnEditReachesTheMembersThatSharedTheSilhouette) {
  cluster_mode = 1;
  make_current(a);
  clicks("L160,80");
  bar("orgn");
  clicks("L50,50");
  EXPECT_EQ(points(same), "100,100 120,120 160,80");
  EXPECT_EQ(at(ObjectTable[same].base), "50,50");
  EXPECT_EQ(points(other), "100,100 120.5,120");
  EXPECT_EQ(at(ObjectTable[other].base), "0,0");
  EXPECT_EQ(points(outside), "100,100 120,120");
}

TEST_F(CurvesCluster, OrderAndKnotsReachEveryMemberEachItsOwnField) {
  cluster_mode = 1;
  make_current(a);
  ObjectTable[outside].order = 3;
  ObjectTable[other].knots = 1;
  bar("order");
  EXPECT_EQ(ObjectTable[other].order, 4);
  EXPECT_EQ(ObjectTable[other].knots, 1);
  bar("knots");
  for (int i : {a, same, other}) {
    EXPECT_EQ(ObjectTable[i].order, 4) << i;
    EXPECT_EQ(ObjectTable[i].knots, 1) << i;
  }
  EXPECT_EQ(ObjectTable[outside].order, 3);
  EXPECT_EQ(ObjectTable[outside].knots, 0);
}

TEST_F(CurvesMouse, AtEightyPointsAppendAndInsAreRefused) {
  for (int k = 0; k < 80; k++)
    clicks("L" + std::to_string(10 + 10 * (k % 25)) + "," + std::to_string(40 + 10 * (k / 25)));
  const std::string full = points();
  clicks("L280,280");
  EXPECT_EQ(too_many_points, 1);
  too_many_points = 0;
  clicks("R10,40");
  bar("ins");
  EXPECT_EQ(too_many_points, 1);
  EXPECT_EQ(points(), full);
}

TEST_F(CurvesMouse, OnlySilhouetteTypesAreEdited) {
  add(TYPE_BOX);
  for (const char* b : {"edit", "ins", "del", "orgn", "order", "knots"}) bar(b);
  clicks("L100,100 R100,100");
  EXPECT_EQ(points(), "");
  EXPECT_EQ(origin_mode, 0);
  EXPECT_EQ(ObjectTable[current_record].order, 3);
  for (int t = TYPE_REVOLUTION; t <= TYPE_BFACE; t++) {
    add(t);
    clicks("L100,100");
    EXPECT_EQ(points(), "100,100") << "type " << t;
  }
}
