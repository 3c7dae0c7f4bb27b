// The tessellation cache against the uncached drawing: the same pictures,
// tessellation only when a surface changes, and its buffers given back.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "panels/material_panel.h"
#include "render/render.h"
#include "render/tess_cache.h"
#include "support/gl_env.h"

namespace {

class Cache : public ::testing::Test {
 protected:
  void SetUp() override {
    ensure_windows();
    reset_all();
    glutSetWindow(display_window);
    width = glutGet(GLUT_WINDOW_WIDTH);
    height = glutGet(GLUT_WINDOW_HEIGHT);
    reshape_3d(width, height);
    panels_shown = 0;
    show_grid = show_world_axes = 0;
    wireframe = 0;
  }
  void TearDown() override { EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR); }

  // The frame display_3d draws, or the part of it x < w, y < h.
  std::vector<unsigned char> frame(int w = 0, int h = 0) {
    w = w ? w : width;
    h = h ? h : height;
    display_3d();
    std::vector<unsigned char> rgb(3 * w * h);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
  }

  // Frames (or their corner x < w, y < h) drawn uncached and cached differ
  // in at most a handful of pixels, each by at most a few levels.
  void expect_alike(int handful, int w = 0, int h = 0) {
    tess_cache_on = 0;
    const std::vector<unsigned char> plain = frame(w, h);
    tess_cache_on = 1;
    const std::vector<unsigned char> cached = frame(w, h);
    int pixels = 0, worst = 0;
    for (size_t i = 0; i < plain.size(); i += 3) {
      int most = 0;
      for (int c = 0; c < 3; c++) most = std::max(most, std::abs(plain[i + c] - cached[i + c]));
      pixels += most > 0;
      worst = std::max(worst, most);
    }
    EXPECT_LE(pixels, handful);
    EXPECT_LE(worst, 3);
  }

  // Surfaces tessellated by the frame after change.
  static long builds_after(const std::function<void()>& change) {
    const long before = tess_cache_builds();
    change();
    display_3d();
    return tess_cache_builds() - before;
  }

  int width = 0, height = 0;
};

// A record with n points on a wavy outline: for a revolution a vase
// profile, otherwise a closed star (the last point on the first when open).
ObjectRecord& add(int type, int knots, int order, int n, float x, float z) {
  ObjectRecord& r = ObjectTable[++last_record];
  std::memset(&r, 0, sizeof r);
  r.surfacetype = type;
  r.knots = knots;
  r.order = order;
  r.scales[0] = r.scales[1] = r.scales[2] = 0.15f;
  r.position[0] = x;
  r.position[2] = z;
  r.angles[0] = 20;
  r.angles[1] = 30 * last_record;  // back caps turned into view too
  r.color[0] = 0.2f + 0.1f * (last_record % 7);
  r.color[1] = 0.6f;
  r.color[2] = 0.9f - 0.1f * (last_record % 5);
  r.color[3] = 1;
  r.shine = 0.6f;
  r.silend = n - 1;
  for (int k = 0; k < n; k++) {
    const float a = 6.2831853f * k / (knots == periodic ? n : n - 1);
    const float radius = 2.5f + 0.6f * std::cos(3 * a);
    r.sil[k][0] = type == TYPE_REVOLUTION ? 1.5f + std::sin(a) : radius * std::cos(a);
    r.sil[k][1] = type == TYPE_REVOLUTION ? 0.5f * k : radius * std::sin(a);
    r.silpix[k][0] = 20 * r.sil[k][0];
    r.silpix[k][1] = 20 * r.sil[k][1];
  }
  current_record = last_record;
  return r;
}

TEST_F(Cache, FramesMatchTheUncachedDrawing) {
  float x = -8;
  for (int type = TYPE_BOX; type <= TYPE_BFACE; type++, x += 2) {
    const int n = type == TYPE_REVOLUTION ? 12 : 16;
    add(type, openknot, type % 2 ? 3 : 4, n, x + 1, -2);
    add(type, periodic, type % 2 ? 4 : 3, n, x, 2);
  }
  for (int density : {10, 20}) {
    res = density;
    for (int mode = 0; mode < 2; mode++) {
      SCOPED_TRACE(testing::Message() << "res " << density << " wireframe " << mode);
      wireframe = mode;
      expect_alike(40);
    }
  }
  // Something to compare: most of the objects are on the screen.
  wireframe = 0;
  const std::vector<unsigned char> rgb = frame();
  int covered = 0;
  for (size_t i = 0; i < rgb.size(); i += 3) covered += rgb[i] != rgb[i + 2];
  EXPECT_GT(covered, 20000);
}

TEST_F(Cache, PreviewSphereLooksLikeTheFullOne) {
  panels_shown = 1;
  add(TYPE_SPHERE, openknot, 3, 0, 0, 0);
  for (float shine : {0.0f, 0.5f, 1.0f}) {  // lit, with its highlight
    SCOPED_TRACE(testing::Message() << "shine " << shine);
    ObjectTable[current_record].shine = shine;
    expect_alike(5, 122, 224);
  }
  current_record = 3;  // a light: flat in its colour
  expect_alike(5, 122, 224);
}

TEST_F(Cache, TessellatesOnlyWhatChanged) {
  ObjectRecord& vase = add(TYPE_REVOLUTION, openknot, 4, 8, -2, 0);
  ObjectRecord& star = add(TYPE_EXTRUSION, openknot, 3, 10, 2, 0);
  EXPECT_EQ(builds_after([] {}), 4);  // the revolution; the sides and both caps

  // Nothing that leaves the surfaces as they are tessellates anything.
  EXPECT_EQ(builds_after([] { longitude += 30, latitude -= 20, distance += 5; }), 0);
  EXPECT_EQ(builds_after([] { current_record = FIRST_OBJECT, highlight_current = 1; }), 0);
  EXPECT_EQ(builds_after([&] { star.color[1] = 0.1f, star.shine = 0.2f; }), 0);
  EXPECT_EQ(builds_after([&] { vase.position[0] = 4, vase.angles[2] = 90, vase.scales[1] = 2; }),
            0);
  EXPECT_EQ(builds_after([] { show_grid = show_world_axes = 1; }), 0);
  EXPECT_EQ(builds_after([] { wireframe = 1; }), 0);                       // outlines only
  EXPECT_EQ(builds_after([] { wireframe = 0; }), 0);                       // the solids were kept
  EXPECT_EQ(builds_after([&] { ObjectTable[++last_record] = vase; }), 0);  // the same silhouette

  // Each kind of change to a surface tessellates what it changed.
  EXPECT_EQ(builds_after([&] { vase.silpix[3][0] += 4; }), 1);
  EXPECT_EQ(builds_after([&] { vase.order = 3; }), 1);
  EXPECT_EQ(builds_after([&] { star.knots = periodic; }), 3);
  EXPECT_EQ(builds_after([&] { star.surfacetype = TYPE_OPENEXT; }), 0);  // its sides are there
  EXPECT_EQ(builds_after([&] { vase.surfacetype = TYPE_OPENEXT; }), 1);
  EXPECT_EQ(builds_after([] { res = 20; }), 3);  // each of the three objects

  // A record moving to another slot takes its surfaces along.
  current_record = FIRST_OBJECT;
  EXPECT_EQ(builds_after([] { delete_current(); }), 0);
}

TEST_F(Cache, BuffersAreFreedWhenReplacedAndOnReset) {
  auto live_buffers = [] {
    int n = 0;
    for (GLuint name = 1; name < 2000; name++) n += glIsBuffer(name);
    return n;
  };
  ObjectRecord& vase = add(TYPE_REVOLUTION, periodic, 3, 6, 0, 0);
  display_3d();
  const int one = live_buffers();
  EXPECT_GT(one, 0);
  const int edits = 600;  // more shapes than the cache has room for
  for (int edit = 0; edit < edits; edit++) {
    vase.silpix[2][0] += 1;
    display_3d();
  }
  EXPECT_LT(live_buffers(), edits * one / 2);
  EXPECT_GT(tess_cache_bytes(), 0ul);
  reset_render();
  EXPECT_EQ(live_buffers(), 0);
  EXPECT_EQ(tess_cache_bytes(), 0ul);
}

}  // namespace
