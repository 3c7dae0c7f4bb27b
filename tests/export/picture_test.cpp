// silmod-export --png without a display: the picture's size and what it shows
// where, its options, and its failures.
#include <algorithm>

#include "export/gl_program.h"
#include "io/session.h"
#include "support/picture_util.h"

struct PngExport : ScratchDir {
  void SetUp() override {
    ScratchDir::SetUp();
    add_picture_scene();
    ASSERT_TRUE(save_session("scene.ses"));
  }
  // Exit status of silmod-export on args; its messages in err_.
  int tool(const std::string& args, const char* env = "") {
    return run_export(args, out_, err_, env);
  }
  std::string out_, err_;
};

// Whether the pixel at the world point x, y, z (or within reach pixels of
// it) is the given colour, within a level.
static bool shows(const Picture& p, float x, float y, float z, const int rgb[3], int reach = 0) {
  int col = 0, row = 0;
  picture_pixel(x, y, z, p.width, p.height, col, row);
  for (int r = row - reach; r <= row + reach; r++)
    for (int c = col - reach; c <= col + reach; c++) {
      if (c < 0 || r < 0 || c >= p.width || r >= p.height) continue;
      const unsigned char* px = p.at(c, r);
      if (std::abs(px[0] - rgb[0]) <= 1 && std::abs(px[1] - rgb[1]) <= 1 &&
          std::abs(px[2] - rgb[2]) <= 1)
        return true;
    }
  return false;
}

// How far the channels an object's colour has strongly stand above the
// others at the centre of its top, a few pixels off the axis.
static int lead_of_colour(const Picture& p, const Standing& s) {
  int col = 0, row = 0;
  picture_pixel(s.x, s.top, s.z, p.width, p.height, col, row);
  const unsigned char* px = p.at(col + 4, row + 4);
  int strong = 255, weak = 0;
  for (int c = 0; c < 3; c++) {
    if (s.color[c] == HI) strong = std::min(strong, static_cast<int>(px[c]));
    if (s.color[c] == LO) weak = std::max(weak, static_cast<int>(px[c]));
  }
  return strong - weak;
}

const int BACKGROUND[3] = {179, 179, 179}, GRID[3] = {153, 153, 153};
const int Z_AXIS[3] = {0, 0, 204}, X_AXIS[3] = {204, 0, 0};

TEST_F(PngExport, ShowsTheGridAxesAndEveryObjectWithoutADisplay) {
  ASSERT_EQ(tool(std::string("scene.ses --png scene.png --size 500x400 --view ") + PICTURE_VIEW), 0)
      << err_;
  EXPECT_EQ(err_, "");
  const Picture p = read_png("scene.png");
  ASSERT_EQ(p.width, 500);
  ASSERT_EQ(p.height, 400);
  EXPECT_TRUE(shows(p, -14, 0, -11, BACKGROUND)) << "between the grid lines";
  EXPECT_TRUE(shows(p, -16, 0, -11, GRID, 2)) << "the grid line x = -16";
  EXPECT_TRUE(shows(p, 0, 0, -11, Z_AXIS, 2)) << "the floor's z axis";
  EXPECT_TRUE(shows(p, -15, 0, 0, X_AXIS, 2)) << "the floor's x axis";
  for (const Standing& s : PICTURE_SCENE)
    EXPECT_GT(lead_of_colour(p, s), 40) << "object of type " << s.type;

  // The start camera and the display window's size unless asked otherwise (a
  // picture already there is replaced).
  ASSERT_EQ(tool("scene.ses --png default.png"), 0) << err_;
  ASSERT_EQ(tool("scene.ses --png scene.png --view 45,45,24 --size 600x500"), 0) << err_;
  EXPECT_EQ(read_png("default.png").width, 600);
  EXPECT_EQ(read_file("default.png"), read_file("scene.png"));
}

TEST_F(PngExport, ViewWireframeAndDensityReachTheirOutputs) {
  // The smallest of everything; the view is the RIB file's camera too.
  ASSERT_EQ(tool("scene.ses --png tiny.png --size 1x1 --view -90,-360,1 --res 1 --rib v.rib"), 0)
      << err_;
  EXPECT_EQ(read_png("tiny.png").height, 1);
  const std::string rib = read_file("v.rib");
  for (const char* camera :
       {"Translate 0.0 0.0 1  \n", "Rotate 90 1.0 0.0 0.0  \n", "Rotate -360 0.0 1.0 0.0 \n"})
    EXPECT_TRUE(has(rib, camera)) << camera;

  const std::string top = std::string(" --size 500x400 --view ") + PICTURE_VIEW;
  ASSERT_EQ(tool("scene.ses --png wire.png --wireframe" + top), 0) << err_;
  const Picture wire = read_png("wire.png");
  // Outlines only: the floor shows through the middle of the box.
  const Standing& box = PICTURE_SCENE[0];
  EXPECT_TRUE(shows(wire, box.x + 0.5f, 0, box.z + 0.5f, BACKGROUND));
  ASSERT_EQ(tool("scene.ses --png coarse.png --res 2" + top), 0) << err_;
  ASSERT_EQ(tool("scene.ses --png fine.png --res 40 --c fine.c" + top), 0) << err_;
  EXPECT_NE(read_file("coarse.png"), read_file("fine.png"));
  // The density is the C program's too, as one call with --c alone writes it.
  ASSERT_EQ(tool("scene.ses --c alone.c --res 40"), 0) << err_;
  EXPECT_EQ(read_file("fine.c"), read_file("alone.c"));
}

TEST_F(PngExport, BadOptionsAndFailuresWriteNothing) {
  for (const char* args :
       {"scene.ses --png", "scene.ses --png p.png --size 0x10", "scene.ses --png p.png --size 600",
        "scene.ses --png p.png --size 600x500x2", "scene.ses --png p.png --size 9000x10",
        "scene.ses --png p.png --view 91,0,24", "scene.ses --png p.png --view -91,0,24",
        "scene.ses --png p.png --view 0,361,24", "scene.ses --png p.png --view 0,0,0",
        "scene.ses --png p.png --view 1,2", "scene.ses --png p.png --size 10x10 --size 20x20",
        "scene.ses --c c.c --wireframe", "scene.ses --c c.c --size 10x10",
        "scene.ses --png p.png --c p.png",
        "scene.ses --png p.png --view 1,2,3 --view 1,2,3"}) {
    EXPECT_EQ(tool(args), 2) << args;
    EXPECT_TRUE(has(err_, "usage: silmod-export")) << args;
  }
  // No GL to be had (no EGL of Mesa's, or no driver), a picture that cannot be
  // written.
  for (const char* no_gl : {"__EGL_VENDOR_LIBRARY_FILENAMES=/none", "LIBGL_DRIVERS_PATH=/none"}) {
    EXPECT_EQ(tool("scene.ses --png p.png --c c.c", no_gl), 1) << no_gl;
    EXPECT_TRUE(has(err_, "cannot draw the picture: ")) << err_;
    EXPECT_TRUE(has(err_, "EGL")) << "what failed: " << err_;
  }
  EXPECT_EQ(tool("scene.ses --png no/such/dir/p.png"), 1);
  EXPECT_TRUE(has(err_, "no/such/dir/p.png")) << err_;
  for (const char* name : {"p.png", "c.c", "c.c.png"}) EXPECT_FALSE(fs::exists(name)) << name;
}
