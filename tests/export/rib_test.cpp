#include "export/rib.h"

#include <sstream>

#include "support/persist_util.h"

using Rib = ScratchDir;

static std::string rib() {
  EXPECT_TRUE(write_rib("t.rib"));
  return read_file("t.rib");
}

// Each light's request, distant and positional, with the spacing of its own.
static const std::string AMBIENT =
    "LightSource \"ambientlight\" 0 \"intensity\" 10.00  \"lightcolor\" [0.10 0.10 0.10] \n ";
static const std::string LIGHT[5][2] = {
    {"LightSource \"distantlight\" 1  \"from\" [-20.00 10.00 20.00]  \"to\" [0.0 0.0 0.0]   "
     "\"intensity\" 1.00  \"lightcolor\" [0.60 0.60 0.60] \n ",
     "LightSource \"newlight\" 1  \"from\" [-20.00 10.00 20.00]  \"intensity\" 1.00    "
     "\"lightcolor\" [0.60 0.60 0.60] \n "},
    {"LightSource \"distantlight\" 2  \"from\" [0.00 20.00 30.00]  \"to\" [0.0 0.0 0.0]  "
     "\"intensity\" 1.00  \"lightcolor\" [0.90 0.90 0.90] \n ",
     "LightSource \"newlight\" 2  \"from\" [0.00 20.00 30.00]  \"intensity\" 1.00     "
     "\"lightcolor\" [0.90 0.90 0.90] \n "},
    {"LightSource \"distantlight\" 3  \"from\" [20.00 10.00 20.00]  \"to\" [0.0 0.0 0.0]   "
     "\"intensity\" 1.00  \"lightcolor\" [0.70 0.70 0.70] \n ",
     "LightSource \"newlight\" 3  \"from\" [20.00 10.00 20.00]  \"intensity\" 1.00   "
     "\"lightcolor\" [0.70 0.70 0.70] \n "},
    {"LightSource \"distantlight\" 4  \"from\" [0.00 10.00 -30.00]  \"to\" [0.0 0.0 0.0]  "
     "\"intensity\" 1.00   \"lightcolor\" [0.20 0.20 0.20] \n ",
     "LightSource \"newlight\" 4  \"from\" [0.00 10.00 -30.00]  \"intensity\" 1.00   \n "
     "\"lightcolor\" [0.20 0.20 0.20] \n "},
    {"LightSource \"distantlight\" 5  \"from\" [0.00 30.00 0.00]  \"to\" [0.0 0.0 0.0]  "
     "\"intensity\" 1.00    \"lightcolor\" [0.20 0.20 0.20] \n ",
     "LightSource \"newlight\" 5  \"from\" [0.00 30.00 0.00]  \"intensity\" 1.00   \n "
     "\"lightcolor\" [0.20 0.20 0.20] \n "}};

// The empty scene with the default lights, then every light of both kinds.
TEST_F(Rib, CameraAndLights) {
  EXPECT_EQ(rib(),
            "##RenderMan RIB-Structure 1.0 \nDisplay \"image.jpg\" \"file\" \"rgb\" \n"
            "Format 600 600 1 \nShadingRate 1 \nProjection \"perspective\" \"fov\" [30] \n"
            "Translate 0.0 0.0 24  \nRotate -45 1.0 0.0 0.0  \nRotate 45 0.0 1.0 0.0 \n"
            "ConcatTransform [1 0 0 0 0 1 0 0 0 0 -1 0 0 0 0 1] \nWorldBegin \n"
            "Declare \"shadows\" \"string\" \nAttribute \"light\" \"shadows\" \"on\" \n \n "
            "##Light Sources \n \n" +
                AMBIENT + LIGHT[0][0] + LIGHT[1][0] + LIGHT[2][0] + "\n##Surfaces \nWorldEnd");
  auto lights = [] {
    const std::string t = rib();
    const size_t from = t.find("##Light Sources \n \n") + 19;
    return t.substr(from, t.find("##Surfaces") - from);
  };
  for (int k = 0; k < LIGHT_COUNT; k++) light_on[k] = 1;
  CodeBindingTable[0] = 7;   // an entry without lines: as if unbound
  CodeBindingTable[5] = 99;  // no such entry
  // Even lights positional, then odd ones, so that every light shows both kinds.
  for (int odd = 0; odd < 2; odd++) {
    std::string want = AMBIENT;
    for (int k = 1; k <= 5; k++) {
      ObjectTable[k].position[3] = k % 2 == odd;
      want += LIGHT[k - 1][k % 2 == odd];
    }
    EXPECT_EQ(lights(), want + "\n");
  }
  // A bound light keeps its "from" and "lightcolor"; the ambient writes only
  // the lines; switched-off lights write nothing.
  load_codes("*shader spot\nLightSource \"spotlight\" 3\n*end\n");
  CodeBindingTable[0] = CodeBindingTable[1] = 1;
  light_on[2] = light_on[3] = light_on[4] = light_on[5] = 0;
  EXPECT_EQ(lights(),
            "LightSource \"spotlight\" 3\nLightSource \"spotlight\" 3\n \"from\" [-20.00 10.00 "
            "20.00]  \"lightcolor\" [0.60 0.60 0.60] \n \n");
}

// The numbers of the "Pw" list at a revolution and the line breaks among them.
static std::vector<float> pw_numbers(const std::string& text, size_t at, int* breaks) {
  const size_t from = text.find("\"Pw\" [", at) + 6;
  const std::string body = text.substr(from, text.find("] \n", from) - from);
  *breaks = count_of(body, "\n");
  std::istringstream in(body);
  std::vector<float> v;
  for (float f; in >> f;) v.push_back(f);
  return v;
}

TEST_F(Rib, SolidsAndRevolutions) {
  ObjectRecord& box = ObjectTable[add_object(TYPE_BOX)];
  box.position[0] = 1.25f, box.position[2] = -3.0f;
  box.angles[0] = 30, box.angles[1] = -45, box.angles[2] = 90;
  CodeBindingTable[add_object(TYPE_SPHERE)] = 1;
  CodeBindingTable[add_object(TYPE_CYLINDER)] = 5;  // an empty entry: no surface line
  add_object(TYPE_CONE);
  add_object(TYPE_REVOLUTION, {{1, 0}, {2, 1}, {2, 2}, {1, 3}, {0, 4}});
  Points pts;
  for (int k = 0; k < 10; k++) pts.push_back({1.0f + k % 3, 0.5f * k});
  add_object(TYPE_REVOLUTION, pts, 3, 1);
  load_codes("*shader matte\nSurface \"matte\"\n\n*end\n");
  const std::string t = rib();
  EXPECT_TRUE(has(t,
                  "## box \nAttributeBegin \nTranslate 1.2 0.0 -3.0 \nRotate -45 0.0 1.0 0.0 \n"
                  "Rotate 30 1.0 0.0 0.0 \nRotate 90 0.0 0.0 1.0 \nScale  0.20 0.20 0.20 \n"
                  "Color[0.78 0.78 0.78] \n Surface \"plastic\" \"Kd\" [0.8] \"Ka\" [0.1] \n"
                  "Patch \"bilinear\" \"P\" [5 10 -5 5 10 5 5 0 -5 5 0 5 ] \nPatch \"bilinear\" "
                  "\"P\"  [-5 10 -5 -5 10 5 5 10 -5 5 10 5 ]  \nPatch \"bilinear\" \"P\"  [-5 0 5 "
                  "-5 0 -5 5 0 5 5 0 -5  ] \nPatch \"bilinear\" \"P\" [5 10 5 -5 10 5 5 0 5 -5 0 5 "
                  " ] \nPatch \"bilinear\" \"P\"  [-5 10 5 -5 10 -5 -5 0 5 -5 0 -5 ] \nPatch "
                  "\"bilinear\" \"P\" [-5 10 -5 5 10 -5 -5 0 -5 5 0 -5  ] \nAttributeEnd \n \n ## "
                  "sphere \n"));
  EXPECT_TRUE(has(t, "] \n Surface \"matte\"\n\nSphere 10.0 -10.0 10.0 360.0 \nAttributeEnd \n"));
  EXPECT_TRUE(has(t,
                  "] \n Cylinder 5.0 0.0 10.0 360.0  \nDisk 10.0 5.0 360.0  \n"
                  "Rotate 180.0 1.0 0.0 0.0 \nDisk 0.0 5.0 360.0  \nAttributeEnd \n \n ## cone"));
  EXPECT_TRUE(
      has(t,
          "[0.1] \nDisk 12.0 5.0 360.0  \nRotate 180.0 1.0 0.0 0.0 \n"
          "Translate 0.0 0.0 -12.0 \nCone 12.0 5.0 360.0   \nAttributeEnd \n \n ## revolution"));
  EXPECT_TRUE(has(t,
                  "NuPatch 5 3 [ 0 0 0   1   2  3  3  3 ] 0 3 \n9 3 [0.0 0.0 0.0 0.25 0.25 "
                  "0.50 0.50 0.75 0.75 1.0 1.0 1.0] 0 1  \n \"Pw\" [ 1.00  0.00  0.00  1.00  \n"
                  " 2.00  1.00  0.00  1.00  2.00  2.00  0.00  1.00  1.00  3.00  0.00  1.00 "
                  " 0.00  4.00  0.00  1.00  0.71  0.00  0.71  0.71  \n"));
  EXPECT_TRUE(has(t, "] \nAttributeEnd \n \n WorldEnd"));
  // Nine rows of five points (the second on +z: the circle runs forwards), a
  // break after each row's first point.
  int breaks = 0;
  EXPECT_EQ(pw_numbers(t, t.find("NuPatch 5 3"), &breaks).size(), 9u * 5 * 4);
  EXPECT_EQ(breaks, 9);
  // Ten periodic points: twelve a row, the last two repeating the first
  // two, and a break after the wrapped ones too, since n + 1 is 10.
  EXPECT_TRUE(has(t,
                  "NuPatch 12 3 [    0   1   2   3   4   5   6   7   8   9  10  11  12  13  "
                  "14  ] 2 12 \n"));
  const std::vector<float> v = pw_numbers(t, t.find("NuPatch 12 3"), &breaks);
  ASSERT_EQ(v.size(), 9u * 12 * 4);
  EXPECT_EQ(breaks, 18);
  for (int j = 0; j < 9; j++)
    for (int c = 0; c < 8; c++) EXPECT_EQ(v[(j * 12 + 10) * 4 + c], v[j * 12 * 4 + c]);
}

TEST_F(Rib, CappedSidesAndWhatIsLeftOut) {
  add_object(TYPE_EXTRUSION, {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}});
  add_object(TYPE_OPENEXT, ZIGZAG, 4, 1);
  add_object(TYPE_FFACE, ZIGZAG, 4, 1);
  add_object(TYPE_OPENEXT, ZIGZAG, 4, 0);
  add_object(TYPE_BFACE, SQUARE, 4, 0);
  add_object(TYPE_EXTRUSION, SQUARE);
  std::string t = rib();
  // Each cap is trimmed in the box of its own outline, which is reversed.
  const size_t second = t.rfind("NuPatch 2 2 [0 0 1 1]");
  EXPECT_EQ(t.substr(second, t.find("AttributeEnd", second) - second),
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

  // Order four, periodic: the wrapped pairs, the first with two trailing
  // spaces, the next two with one; the cap's trim curve wraps as well.
  EXPECT_TRUE(has(t, "NuPatch 2 2 [0 0 1 1] 0 1 5 4 [ 0 0 0 0   1  2  2  2  2 ] 0 2  \"P\" ["));
  EXPECT_TRUE(has(t, " TrimCurve [1] [4]  [ 0 0 0 0 1  2  2  2  2 ] [0] [ 2] [  5 ] [  0.00 "));
  EXPECT_TRUE(has(t,
                  " 0.00  0.00  -5.00   0.00  0.00  5.00   4.00  0.00  -5.00   4.00  0.00  "
                  "5.00   3.00  2.00  -5.00  3.00  2.00  5.00  2.00  0.00  -5.00  2.00  0.00 "
                  " 5.00 ] \n"));
  EXPECT_TRUE(has(t,
                  " TrimCurve [1] [4]  [    0   1   2   3   4   5   6   7   8   9  10  11  ] "
                  "[3] [ 8] [ 8] [ 1.00  0.75  0.50  0.25  0.00  1.00  0.75  0.50 ] [ 0.00  "
                  "1.00  0.00  1.00  0.00  0.00  1.00  0.00 ] [ 1  1  1  1  1  1  1  1 ]  \n"
                  " NuPatch 2 2 [ 0 0 1 1 ] 0 1 2 2 [ 0 0 1 1 ] 0 1 \"P\"[0.00 0.00 5.0 "));

  // Without drawable geometry an object or a cap writes nothing.
  reset_export_layer();
  add_object(TYPE_EXTRUSION, ZIGZAG);                       // open: side only
  add_object(TYPE_FFACE, ZIGZAG);                           // open: nothing
  add_object(TYPE_BFACE, ZIGZAG, 3, 1);                     // periodic: back cap
  add_object(TYPE_REVOLUTION, {{1, 0}, {1, 1}});            // fewer points than order
  add_object(TYPE_OPENEXT);                                 // no points
  add_object(TYPE_EXTRUSION, {{0, 0}, {2, 0}, {0.1f, 0}});  // closed but flat: no caps
  add_object(TYPE_BFACE, {{0, 0}, {2, 0}, {0.1f, 0}});      // flat face: nothing
  ObjectTable[add_object(TYPE_SPHERE)].surfacetype = 9;     // unknown type: empty block
  t = rib();
  // Two extrusion blocks, four in all, two sides and one back cap.
  std::vector<int> counts;
  for (const char* s : {"## extrusion", "## ", "AttributeEnd", "TrimCurve", "NuPatch", " -5 ]"})
    counts.push_back(count_of(t, s));
  EXPECT_EQ(counts, std::vector<int>({2, 4, 4, 1, 3, 1}));
}

// What one of the silhouette pieces writes for the given points.
template <class F>
static std::string piece(F write) {
  FILE* f = std::tmpfile();
  write(f);
  std::string text(std::ftell(f), '\0');
  std::rewind(f);
  EXPECT_EQ(std::fread(&text[0], 1, text.size(), f), text.size());
  std::fclose(f);
  return text;
}

static Silhouette silhouette(int order, int knots, int count) {
  const float pts[4][2] = {{0, 0}, {4, 0}, {4, 2}, {0, 2}};
  return nurb_silhouette(order, knots, count, pts);
}

// The fewest points each order takes, one fewer writing nothing; the knot
// lists of the periodic blocks and trim curves count from 0.
TEST(RibPieces, FewestPointsAndKnotListsFromZero) {
  auto knots = [](int order, int type, int count) {
    return piece([&](FILE* f) { write_knot_vector(f, silhouette(order, type, count)); });
  };
  auto trim = [](int order, int type, int count) {
    return piece([&](FILE* f) { write_trim_curve(f, silhouette(order, type, count), 4, 0, 2, 0); });
  };
  auto sides = [](int order, int type, int count) {
    return piece([&](FILE* f) { write_extrusion_points(f, silhouette(order, type, count)); });
  };
  EXPECT_EQ(knots(3, openknot, 3), "3 3 [ 0 0 0  1  1  1 ] 0 1 \n");
  EXPECT_EQ(knots(4, openknot, 4), "4 4 [ 0 0 0 0  1  1  1  1 ] 0 1 ");
  EXPECT_EQ(knots(3, periodic, 3), "5 3 [    0   1   2   3   4   5   6   7  ] 2 5 \n");
  EXPECT_EQ(knots(4, periodic, 4), "7 4 [    0   1   2   3   4   5   6   7   8   9  10  ] 3 7 \n");
  EXPECT_EQ(trim(3, periodic, 3),
            " TrimCurve [1] [3]  [   0  1  2  3  4  5  6  7 ] [2] [ 5] [ 5 ] [  0.00  1.00  1.00 "
            " 0.00  1.00 ] [ 0.00  0.00  1.00  0.00  0.00 ] [ 1  1  1  1  1 ]  \n");
  EXPECT_EQ(trim(4, openknot, 4),
            " TrimCurve [1] [4]  [ 0 0 0 0 1  1  1  1 ] [0] [ 1] [  4 ] [  0.00  1.00  1.00  "
            "0.00 ] [ 0.00  0.00  1.00  1.00 ] [ 1  1  1  1 ]  \n");
  EXPECT_EQ(sides(3, openknot, 3),
            " \"P\" [ 0.00  0.00  -5.00   0.00  0.00  5.00   4.00  0.00  -5.00   4.00  0.00  "
            "5.00   4.00  2.00  -5.00   4.00  2.00  5.00  ] \n");
  for (int order = 3; order <= 4; order++)
    for (int type = openknot; type <= periodic; type++) {
      SCOPED_TRACE(testing::Message() << "order " << order << " knots " << type);
      EXPECT_EQ(knots(order, type, order - 1), "");
      EXPECT_EQ(trim(order, type, order - 1), "");
      EXPECT_EQ(sides(order, type, order - 1), "");
    }
}
