// For the picture tests: a scene with one object of each kind, laid out to be
// seen from straight above, where its pixels are, and PNG files decoded with libpng.
#pragma once

#include <png.h>
#include <sys/wait.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "support/persist_util.h"

// A decoded picture: RGB rows from the top.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;
  const unsigned char* at(int x, int y) const {
    return &rgb[3 * (static_cast<size_t>(y) * width + x)];
  }
};

// The PNG file as 8-bit RGB; an empty picture when libpng cannot read it.
inline Picture read_png(const std::string& path) {
  Picture p;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return p;
  image.format = PNG_FORMAT_RGB;
  std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return p;
  p.width = static_cast<int>(image.width), p.height = static_cast<int>(image.height);
  p.rgb = std::move(rgb);
  return p;
}

// One object of the scene: its kind, where it stands, the height of its top,
// which the camera above sees, its colour, and its placement: the height of
// its origin, the scale in x and y and in z, and a turn about x that makes
// what faces +z face up.
struct Standing {
  int type;
  float x, z, top;
  float color[3];
  float y, scale, depth;
  int tilt;
};
constexpr float HI = 0.9f, LO = 0.1f;
inline const Standing PICTURE_SCENE[] = {
    {TYPE_BOX, -12, -7, 4, {HI, LO, LO}, 0, 0.4f, 0.4f, 0},
    {TYPE_SPHERE, -6, -7, 4, {LO, HI, LO}, 2, 0.2f, 0.2f, 0},
    {TYPE_CYLINDER, 6, -7, 4, {LO, LO, HI}, 0, 0.4f, 0.4f, -90},
    {TYPE_CONE, 12, -7, 4.8f, {HI, HI, LO}, 4.8f, 0.4f, 0.4f, 90},  // the tip up
    {TYPE_REVOLUTION, -12, 7, 3, {HI, LO, HI}, 0, 1, 1, 0},
    {TYPE_EXTRUSION, -6, 7, 2, {LO, HI, HI}, 0, 1, 0.4f, -90},
    {TYPE_OPENEXT, 6, 7, 2, {HI, LO, LO}, 0, 1, 0.4f, 0},  // an arch, its roof up
    {TYPE_FFACE, 12, 7, 2, {LO, HI, LO}, 0, 1, 0.4f, -90},
    {TYPE_BFACE, -10, 0, 2, {LO, LO, HI}, 0, 1, 0.4f, 90}};

// The camera of the picture tests: straight down from 50 units.
constexpr const char* PICTURE_VIEW = "90,0,50";
constexpr int PICTURE_DISTANCE = 50;

// The scene above, added to the current one with its silhouettes.
inline void add_picture_scene() {
  for (const Standing& s : PICTURE_SCENE) {
    Points points = {{-2, -2}, {2, -2}, {2, 2}, {-2, 2}, {-2, -2}};  // a closed square
    if (s.type == TYPE_REVOLUTION) points = {{2, 0}, {2, 2}, {1, 3}, {0, 3}};
    if (s.type == TYPE_OPENEXT) points = {{-2, 0}, {-2, 2}, {2, 2}, {2, 0}};
    if (s.type < TYPE_REVOLUTION) points.clear();
    ObjectRecord& r = ObjectTable[add_object(s.type, points, s.type == TYPE_REVOLUTION ? 4 : 3)];
    r.position[0] = s.x, r.position[1] = s.y, r.position[2] = s.z;
    r.angles[0] = s.tilt;
    r.scales[0] = r.scales[1] = s.scale, r.scales[2] = s.depth;
    for (int k = 0; k < 3; k++) r.color[k] = s.color[k];
    r.shine = 0.2f;
  }
}

// The pixel (column, row from the top) where the camera of PICTURE_VIEW sees
// the world point x, y, z in a picture of the given size: +x to the right,
// +z down.
inline void picture_pixel(float x, float y, float z, int width, int height, int& col, int& row) {
  const double f = height / 2.0 / std::tan(M_PI / 12);  // 30 degrees from top to bottom
  col = static_cast<int>(std::lround(width / 2.0 + x * f / (PICTURE_DISTANCE - y)));
  row = static_cast<int>(std::lround(height / 2.0 + z * f / (PICTURE_DISTANCE - y)));
}

// Runs silmod-export with no display (and the environment settings env) in
// the working directory: its exit status, what it printed in out and err.
inline int run_export(const std::string& args, std::string& out, std::string& err,
                      const std::string& env = "") {
  const std::string cmd =
      "env -u DISPLAY " + env + " " SILMOD_BINARY_DIR "/silmod-export " + args + " >out 2>err";
  const int status = std::system(cmd.c_str());
  out = read_file("out"), err = read_file("err");
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
