// The tessellation cache: GLU's tessellation drawn as GLU draws it, the own
// tessellation within a pixel tolerance of it, rebuilt only on change,
// buffers given back.
#include <algorithm>
#include <cmath>
#include <functional>

#include "support/render_util.h"

using Cache = RenderTest;

// Frames (their w x h corner) drawn uncached and cached differ in at most a handful of pixels,
// each by a few levels. Returns the pixels that are not grey, to show there was something.
static int expect_alike(int handful, int w, int h) {
  std::vector<unsigned char> a, b;
  tess_cache_on = 0, display_3d(), a = read_rgb(0, 0, w, h);
  tess_cache_on = 1, display_3d(), b = read_rgb(0, 0, w, h);
  int pixels = 0, worst = 0, coloured = 0;
  for (size_t i = 0; i < a.size(); i++) worst = std::max(worst, std::abs(a[i] - b[i]));
  for (size_t i = 0; i < a.size(); i += 3) {
    pixels += !std::equal(&a[i], &a[i] + 3, &b[i]);
    coloured += a[i] != a[i + 2];
  }
  EXPECT_LE(pixels, handful);
  EXPECT_LE(worst, 3);
  return coloured;
}

// Surfaces tessellated by the frame after change.
static long builds_after(const std::function<void()>& change) {
  const long before = tess_cache_builds();
  change();
  display_3d();
  return tess_cache_builds() - before;
}

// A small, turned object of n points: for a revolution a vase profile,
// otherwise a closed star (the last point on the first when open).
static ObjectRecord& add(int type, int knots, int order, int n, float x, float z) {
  ObjectRecord& r = add_record(type, knots, order, {});
  r.scales[0] = r.scales[1] = r.scales[2] = 0.15f, r.color[1] = 0.1f * (last_record % 9);
  r.position[0] = x, r.position[2] = z, r.silend = n - 1;
  r.angles[0] = 20, r.angles[1] = 30 * last_record;  // back caps turned into view too
  for (int k = 0; k < n; k++) {
    const float a = 6.2831853f * k / (knots == periodic ? n : n - 1);
    const float radius = 2.5f + 0.6f * std::cos(3 * a);
    const bool vase = type == TYPE_REVOLUTION;
    set_point(r, k, vase ? 1.5f + std::sin(a) : radius * std::cos(a),
              vase ? 0.5f * k : radius * std::sin(a));
  }
  return r;
}

TEST_F(Cache, FramesMatchTheUncachedDrawing) {
  show_grid = show_world_axes = 0, tess_exact = 1;
  for (int type = TYPE_BOX; type <= TYPE_BFACE; type++) {
    add(type, openknot, type % 2 ? 3 : 4, 14, 2 * type - 7, -2);
    add(type, periodic, type % 2 ? 4 : 3, 14, 2 * type - 8, 2);
  }
  for (res = 10; res <= 20; res += 10)
    for (wireframe = 0; wireframe < 2; wireframe++) {
      SCOPED_TRACE(testing::Message() << "res " << res << " wireframe " << wireframe);
      EXPECT_GT(expect_alike(40, width, height), wireframe ? 5000 : 20000);  // on the screen
    }
}

TEST_F(Cache, PreviewSphereLooksLikeTheFullOne) {
  panels_shown = 1, show_grid = show_world_axes = 0;
  ObjectRecord& sphere = add(TYPE_SPHERE, openknot, 3, 0, 0, 0);
  for (float shine : {0.0f, 0.5f, 1.0f}) {  // lit, with its highlight
    SCOPED_TRACE(testing::Message() << "shine " << (sphere.shine = shine));
    EXPECT_GT(expect_alike(5, 122, 224), 5000);
  }
  current_record = 3;  // a light: flat in its colour
  expect_alike(5, 122, 224);
}

TEST_F(Cache, TessellatesOnlyWhatChanged) {
  tess_exact = 1;  // the own tessellation also follows the view; see below
  ObjectRecord& vase = add(TYPE_REVOLUTION, openknot, 4, 8, -2, 0);
  ObjectRecord& star = add(TYPE_EXTRUSION, openknot, 3, 10, 2, 0);
  EXPECT_EQ(builds_after([] {}), 4);  // the revolution; the sides and both caps

  // Nothing that leaves the surfaces as they are tessellates anything.
  EXPECT_EQ(builds_after([] { longitude += 30, latitude -= 20, distance += 5; }), 0);
  EXPECT_EQ(builds_after([] { current_record = FIRST_OBJECT, highlight_current = 1; }), 0);
  EXPECT_EQ(builds_after([&] { star.color[1] = 0.1f, star.shine = 0.2f; }), 0);
  EXPECT_EQ(builds_after([&] { vase.position[0] = vase.scales[1] = 2, vase.angles[2] = 90; }), 0);
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
  EXPECT_EQ(builds_after([] { current_record = FIRST_OBJECT, delete_current(); }), 0);
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
  for (int edit = 0; edit < 600; edit++) vase.silpix[2][0] += 1, display_3d();  // past the budget
  EXPECT_LT(live_buffers(), 300 * one);
  EXPECT_GT(tess_cache_bytes(), 0ul);
  reset_render();
  EXPECT_EQ(live_buffers(), 0);
  EXPECT_EQ(tess_cache_bytes(), 0ul);
}

// The RGB frame of the whole window.
static std::vector<unsigned char> frame(int w, int h) {
  display_3d();
  return read_rgb(0, 0, w, h);
}

TEST_F(Cache, OwnTessellationLooksLikeGLUs) {
  for (int type = TYPE_REVOLUTION; type <= TYPE_BFACE; type++) {
    add(type, openknot, type % 2 ? 3 : 4, 14, 2 * type - 11, -2);
    add(type, periodic, type % 2 ? 4 : 3, 24, 2 * type - 12, 2);
  }
  ObjectRecord& big = add(TYPE_EXTRUSION, periodic, 4, 40, 0, 0);  // close to the camera
  big.scales[0] = big.scales[1] = big.scales[2] = 0.6f, big.position[1] = 3;
  for (res = 10; res <= 50; res += 40) {
    SCOPED_TRACE(testing::Message() << "res " << res);
    tess_exact = 1;
    const std::vector<unsigned char> exact = frame(width, height);
    tess_exact = 0;
    const std::vector<unsigned char> own = frame(width, height);
    const int last = last_record;
    last_record = LAST_LIGHT;
    const std::vector<unsigned char> empty = frame(width, height);
    last_record = last;
    int covered = 0, differing = 0;
    for (size_t i = 0; i < own.size(); i += 3) {
      bool object = false, differs = false;
      for (int c = 0; c < 3; c++) {
        object = object || exact[i + c] != empty[i + c];
        differs = differs || std::abs(exact[i + c] - own[i + c]) > 16;
      }
      covered += object;
      differing += object && differs;
    }
    EXPECT_GT(covered, 20000);
    EXPECT_LE(differing, covered / 200) << "of " << covered << " pixels";
  }
}

TEST_F(Cache, DetailFollowsTheViewAndSettles) {
  add(TYPE_EXTRUSION, periodic, 4, 40, 0, 0);
  res = 50;
  EXPECT_EQ(builds_after([] {}), 3);
  // Turning the camera keeps the distance: nothing to do.
  EXPECT_EQ(builds_after([] { longitude += 20; }), 0);
  // Coming close asks for more at once; going back only after a frame.
  EXPECT_EQ(builds_after([] { distance = 6; }), 3);
  EXPECT_EQ(builds_after([] { distance = 24; }), 0);
  EXPECT_EQ(builds_after([] {}), 3);
  // Small moves to and fro stay within the step.
  long moving = 0;
  for (int step = 0; step < 8; step++)
    moving += builds_after([step] { distance = step % 2 ? 22 : 26; });
  EXPECT_LE(moving, 3);
  // Seen from afar it holds a fraction of what GLU makes.
  distance = 150;
  display_3d(), display_3d();
  const unsigned long far = tess_cache_bytes();
  tess_exact = 1;
  display_3d();
  EXPECT_LT(10 * far, tess_cache_bytes() - far);
}

TEST_F(Cache, WhatTheViewDoesNotShowIsNeitherTessellatedNorDrawn) {
  res = 50;
  tess_exact = 0;
  const std::vector<unsigned char> empty = frame(width, height);
  add(TYPE_EXTRUSION, periodic, 4, 40, 0, 0).position[0] = 60;  // far right of the view
  EXPECT_EQ(builds_after([] {}), 0);
  EXPECT_EQ(frame(width, height), empty);
  EXPECT_EQ(tess_cache_bytes(), 0u);
  // Turned into view, its sides and both caps are made.
  EXPECT_EQ(builds_after([] { ObjectTable[last_record].position[0] = 0; }), 3);
  EXPECT_NE(frame(width, height), empty);
}
