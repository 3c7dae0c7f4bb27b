#include "export/rib.h"

#include <sstream>

#include "export_support.h"

namespace {

class Rib : public ::testing::Test {
 protected:
  void SetUp() override { reset_all(); }
  std::string text() { return capture(write_rib_text); }
};

// The block written for the object with the given name.
std::string block(const std::string& text, const std::string& name) {
  return between(text, "## " + name + " \n", "AttributeEnd");
}

// The numbers of a revolution's "Pw" list, and its line breaks.
std::vector<float> pw_numbers(const std::string& text, int* breaks) {
  std::string body = between(text, "\"Pw\" [", "] \n").substr(6);
  *breaks = count_of(body, "\n");
  std::istringstream in(body);
  std::vector<float> v;
  for (float f; in >> f;) v.push_back(f);
  return v;
}

}  // namespace

TEST_F(Rib, EmptySceneWithDefaultLights) {
  EXPECT_EQ(
      text(),
      "##RenderMan RIB-Structure 1.0 \n"
      "Display \"image.jpg\" \"file\" \"rgb\" \n"
      "Format 600 600 1 \n"
      "ShadingRate 1 \n"
      "Projection \"perspective\" \"fov\" [30] \n"
      "Translate 0.0 0.0 24  \n"
      "Rotate -45 1.0 0.0 0.0  \n"
      "Rotate 45 0.0 1.0 0.0 \n"
      "ConcatTransform [1 0 0 0 0 1 0 0 0 0 -1 0 0 0 0 1] \n"
      "WorldBegin \n"
      "Declare \"shadows\" \"string\" \n"
      "Attribute \"light\" \"shadows\" \"on\" \n \n "
      "##Light Sources \n \n"
      "LightSource \"ambientlight\" 0 \"intensity\" 10.00  \"lightcolor\" [0.10 0.10 0.10] \n "
      "LightSource \"distantlight\" 1  \"from\" [-20.00 10.00 20.00]  \"to\" [0.0 0.0 0.0]  "
      " \"intensity\" 1.00  \"lightcolor\" [0.60 0.60 0.60] \n "
      "LightSource \"distantlight\" 2  \"from\" [0.00 20.00 30.00]  \"to\" [0.0 0.0 0.0] "
      " \"intensity\" 1.00  \"lightcolor\" [0.90 0.90 0.90] \n "
      "LightSource \"distantlight\" 3  \"from\" [20.00 10.00 20.00]  \"to\" [0.0 0.0 0.0]  "
      " \"intensity\" 1.00  \"lightcolor\" [0.70 0.70 0.70] \n "
      "\n##Surfaces \n"
      "WorldEnd");
}

TEST_F(Rib, PositionalBoundAndUnboundLights) {
  for (int k = 0; k < LIGHT_COUNT; k++) light_on[k] = 1;
  ObjectTable[2].position[3] = 1.0f;
  ObjectTable[4].position[3] = 1.0f;
  set_code(1, {"LightSource \"spotlight\" 3"});
  CodeBindingTable[3] = 1;
  CodeBindingTable[0] = 7;   // an entry without lines: as if unbound
  CodeBindingTable[5] = 99;  // no such entry
  std::string t = text();
  EXPECT_NE(t.find("LightSource \"newlight\" 2  \"from\" [0.00 20.00 30.00]  \"intensity\" "
                   "1.00     \"lightcolor\" [0.90 0.90 0.90] \n "),
            std::string::npos);
  EXPECT_NE(t.find("LightSource \"spotlight\" 3\n \"from\" [20.00 10.00 20.00]  \"lightcolor\" "
                   "[0.70 0.70 0.70] \n "),
            std::string::npos);
  EXPECT_NE(t.find("LightSource \"newlight\" 4  \"from\" [0.00 10.00 -30.00]  \"intensity\" "
                   "1.00   \n \"lightcolor\" [0.20 0.20 0.20] \n "),
            std::string::npos);
  EXPECT_NE(t.find("LightSource \"distantlight\" 5  \"from\" [0.00 30.00 0.00]  \"to\" [0.0 0.0 "
                   "0.0]  \"intensity\" 1.00    \"lightcolor\" [0.20 0.20 0.20] \n \n##Surfaces"),
            std::string::npos);
  EXPECT_EQ(count_of(t, "\"to\""), 2);

  // An ambient bound to lines writes only them; switched-off lights nothing.
  CodeBindingTable[0] = 1;
  light_on[2] = light_on[3] = light_on[4] = light_on[5] = 0;
  t = text();
  EXPECT_NE(t.find("##Light Sources \n \nLightSource \"spotlight\" 3\nLightSource "
                   "\"distantlight\" 1 "),
            std::string::npos);
  EXPECT_EQ(count_of(t, "LightSource"), 2);
}

TEST_F(Rib, QuadricBlocksWithTransformsAndShaderCode) {
  ObjectRecord& box = ObjectTable[add_object(TYPE_BOX)];
  box.position[0] = 1.25f;
  box.position[2] = -3.0f;
  box.angles[0] = 30;
  box.angles[1] = -45;
  box.angles[2] = 90;
  CodeBindingTable[add_object(TYPE_SPHERE)] = 1;
  CodeBindingTable[add_object(TYPE_CYLINDER)] = 5;  // empty entry: no surface line
  add_object(TYPE_CONE);
  set_code(1, {"Surface \"matte\"", ""});
  std::string t = text();
  EXPECT_NE(t.find("## box \nAttributeBegin \nTranslate 1.2 0.0 -3.0 \nRotate -45 0.0 1.0 0.0 \n"
                   "Rotate 30 1.0 0.0 0.0 \nRotate 90 0.0 0.0 1.0 \nScale  0.20 0.20 0.20 \n"
                   "Color[0.78 0.78 0.78] \n Surface \"plastic\" \"Kd\" [0.8] \"Ka\" [0.1] \n"
                   "Patch \"bilinear\" \"P\" [5 10 -5 "),
            std::string::npos);
  EXPECT_EQ(count_of(block(t, "box"), "Patch"), 6);
  EXPECT_NE(t.find("\n Surface \"matte\"\n\nSphere 10.0 -10.0 10.0 360.0 \nAttributeEnd \n \n "),
            std::string::npos);
  EXPECT_NE(t.find("] \n Cylinder 5.0 0.0 10.0 360.0  \n"), std::string::npos);
  EXPECT_NE(t.find("Rotate 180.0 1.0 0.0 0.0 \nTranslate 0.0 0.0 -12.0 \nCone 12.0 5.0 360.0   \n"
                   "AttributeEnd \n \n WorldEnd"),
            std::string::npos);
  // Transforms take bare numbers; a renderer drops the bracketed form.
  EXPECT_EQ(count_of(t, "Translate [") + count_of(t, "Rotate [") + count_of(t, "Scale  ["), 0);
}

TEST_F(Rib, OpenRevolutionOfFivePoints) {
  add_object(TYPE_REVOLUTION, {{1, 0}, {2, 1}, {2, 2}, {1, 3}, {0, 4}});
  std::string t = text();
  EXPECT_NE(t.find("NuPatch 5 3 [ 0 0 0   1   2  3  3  3 ] 0 3 \n9 3 [0.0 0.0 0.0 0.25 0.25 "
                   "0.50 0.50 0.75 0.75 1.0 1.0 1.0] 0 1  \n \"Pw\" [ 1.00  0.00  0.00  1.00  \n"
                   " 2.00  1.00  0.00  1.00  2.00  2.00  0.00  1.00  1.00  3.00  0.00  1.00 "
                   " 0.00  4.00  0.00  1.00  0.71  0.00  0.71  0.71  \n"),
            std::string::npos);
  // Nine rows of five points, a line break after each row's first point;
  // the rows follow the circle forwards, so row 2 lies on +z.
  int breaks = 0;
  auto v = pw_numbers(t, &breaks);
  ASSERT_EQ(v.size(), 9u * 5 * 4);
  EXPECT_EQ(breaks, 9);
  for (int k = 0; k < 5; k++) EXPECT_EQ(v[(10 + k) * 4 + 2], v[k * 4]);
  EXPECT_NE(t.find("] \nAttributeEnd \n \n WorldEnd"), std::string::npos);
}

TEST_F(Rib, PeriodicRevolutionWrapsAndBreaksAfterTenPoints) {
  std::vector<std::pair<float, float>> pts;
  for (int k = 0; k < 10; k++) pts.push_back({1.0f + k % 3, 0.5f * k});
  add_object(TYPE_REVOLUTION, pts, 3, 1);
  std::string t = text();
  EXPECT_NE(t.find("NuPatch 12 3 [    0   1   2   3   4   5   6   7   8   9  10  11  12  13  14 "
                   " ] 2 12 \n"),
            std::string::npos);
  // Twelve points a row, the last two repeating the first two; a break
  // after the first point and after the wrapped ones, since n + 1 is 10.
  int breaks = 0;
  auto v = pw_numbers(t, &breaks);
  ASSERT_EQ(v.size(), 9u * 12 * 4);
  EXPECT_EQ(breaks, 18);
  for (int j = 0; j < 9; j++) {
    for (int c = 0; c < 8; c++) EXPECT_EQ(v[(j * 12 + 10) * 4 + c], v[j * 12 * 4 + c]);
  }
}

TEST_F(Rib, CappedExtrusionReversesItsOutlineAndTrimsItsOwnBox) {
  add_object(TYPE_EXTRUSION, {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}});
  add_object(TYPE_EXTRUSION, square());
  std::string t = text();
  std::string second = between(t.substr(t.find("NuPatch 2 2 [0 0 1 1]") + 1),
                               "NuPatch 2 2 [0 0 1 1]", "AttributeEnd");
  EXPECT_EQ(second,
            "NuPatch 2 2 [0 0 1 1] 0 1 5 3 [ 0 0 0   1   2  3  3  3 ] 0 3 \n \"P\" ["
            " 1.00  1.00  -5.00   1.00  1.00  5.00   1.00  3.00  -5.00   1.00  3.00  5.00  "
            " 3.00  3.00  -5.00   3.00  3.00  5.00   3.00  1.00  -5.00   3.00  1.00  5.00  "
            " 1.00  1.00  -5.00   1.00  1.00  5.00  ] \n"
            " TrimCurve [1] [3]  [ 0 0 0  1  2  3  3  3 ] [0] [ 3] [ 5 ] [ "
            " 0.00  0.00  1.00  1.00  0.00 ] [ 0.00  1.00  1.00  0.00  0.00 ] [ 1  1  1  1  1 ]  \n"
            " NuPatch 2 2 [ 0 0 1 1 ] 0 1 2 2 [ 0 0 1 1 ] 0 1 \"P\"[1.00 1.00 -5.0 3.00  1.00 -5 "
            "1.00 3.00 -5 3.00 3.00 -5 ]   \n"
            " NuPatch 2 2 [ 0 0 1 1 ] 0 1 2 2 [ 0 0 1 1 ] 0 1 \"P\"[1.00 1.00 5.0 3.00  1.00 5 "
            "1.00 3.00 5 3.00 3.00 5 ]   \n");
  EXPECT_NE(t.find("\"P\"[0.00 0.00 -5.0 10.00  0.00 -5 0.00 10.00 -5 10.00 10.00 -5 ]"),
            std::string::npos);
}

TEST_F(Rib, OrderFourSidesAndCaps) {
  add_object(TYPE_OPENEXT, zigzag(), 4, 1);
  add_object(TYPE_FFACE, zigzag(), 4, 1);
  add_object(TYPE_OPENEXT, zigzag(), 4, 0);
  add_object(TYPE_BFACE, square(), 4, 0);
  std::string t = text();
  EXPECT_NE(t.find("NuPatch 2 2 [0 0 1 1] 0 1 5 4 [ 0 0 0 0   1  2  2  2  2 ] 0 2  \"P\" ["),
            std::string::npos);
  EXPECT_NE(t.find(" TrimCurve [1] [4]  [ 0 0 0 0 1  2  2  2  2 ] [0] [ 2] [  5 ] [  0.00 "),
            std::string::npos);
  // The wrapped pairs: the first with two trailing spaces, the next two with one.
  EXPECT_NE(t.find(" 0.00  0.00  -5.00   0.00  0.00  5.00   4.00  0.00  -5.00   4.00  0.00  "
                   "5.00   3.00  2.00  -5.00  3.00  2.00  5.00  2.00  0.00  -5.00  2.00  0.00 "
                   " 5.00 ] \n"),
            std::string::npos);
  std::string face = block(t, "fface");
  EXPECT_NE(face.find(" TrimCurve [1] [4]  [    0   1   2   3   4   5   6   7   8   9  10  11 "
                      " ] [3] [ 8] [ 8] [ 1.00  0.75  0.50  0.25  0.00  1.00  0.75  0.50 ] [ "
                      "0.00  1.00  0.00  1.00  0.00  0.00  1.00  0.00 ] [ 1  1  1  1  1  1  1 "
                      " 1 ]  \n"),
            std::string::npos);
  EXPECT_EQ(count_of(face, "NuPatch"), 1);
}

TEST_F(Rib, ObjectsWithoutDrawableGeometryAreLeftOut) {
  add_object(TYPE_EXTRUSION, zigzag());                     // open: side only
  add_object(TYPE_FFACE, zigzag());                         // open: nothing
  add_object(TYPE_BFACE, zigzag(), 3, 1);                   // periodic: back cap
  add_object(TYPE_REVOLUTION, {{1, 0}, {1, 1}});            // fewer points than order
  add_object(TYPE_OPENEXT);                                 // no points
  add_object(TYPE_EXTRUSION, {{0, 0}, {2, 0}, {0.1f, 0}});  // closed but flat: no caps
  add_object(TYPE_BFACE, {{0, 0}, {2, 0}, {0.1f, 0}});      // flat face: nothing
  ObjectTable[add_object(TYPE_SPHERE)].surfacetype = 9;     // unknown type: empty block
  std::string t = text();
  EXPECT_EQ(count_of(t, "## "), 4);
  EXPECT_EQ(count_of(t, "AttributeBegin"), count_of(t, "AttributeEnd"));
  EXPECT_EQ(count_of(t, "TrimCurve"), 1);
  EXPECT_EQ(count_of(block(t, "bface"), " -5 ]"), 1);  // the back cap alone
  EXPECT_EQ(count_of(t, "## extrusion"), 2);
  EXPECT_EQ(count_of(t, "NuPatch"), 3);
}
