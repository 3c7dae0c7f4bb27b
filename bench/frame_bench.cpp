// Frame time of the 3D view: opens the real "display" window, fills the
// scene tables with a test scene and draws frames through display_3d, each
// scene once tessellating every surface every frame (the uncached drawing)
// and once from the tessellation cache.
//
//   frame_bench [frames [runs]]     (defaults 5 frames, 5 runs)
//
// For each scene it prints the median, minimum and maximum milliseconds per
// frame over the runs, uncached and cached, their ratio, and the cached
// path's first frame (which tessellates everything). Then, in the two dense
// scenes, the frame after a camera turn and the frame after one object's
// silhouette changed, next to what that frame should cost at most: a cached
// frame plus that object's tessellation. It measures; it does not judge.
#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/scene.h"
#include "app/window.h"
#include "main/display.h"
#include "main/startup.h"
#include "render/render.h"
#include "render/tess_cache.h"

namespace {

using Clock = std::chrono::steady_clock;

double ms_since(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A record at slot i of a 10 x 7 floor layout.
ObjectRecord& place_object(int slot, int type) {
  const int i = FIRST_OBJECT + slot;
  ObjectRecord& r = ObjectTable[i];
  std::memset(&r, 0, sizeof r);
  r.surfacetype = type;
  r.scales[0] = r.scales[1] = r.scales[2] = 0.5f;
  r.position[0] = -18.0f + 4.0f * (float)(slot % 10);
  r.position[2] = -12.0f + 4.0f * (float)(slot / 10);
  r.color[0] = 0.2f + 0.01f * (float)slot;
  r.color[1] = 0.5f;
  r.color[2] = 0.8f;
  r.color[3] = 1.0f;
  r.shine = 0.8f;
  r.intensity = 0.8f;
  std::snprintf(r.name, sizeof r.name, "bench%d", slot);
  last_record = i;
  return r;
}

void set_point(ObjectRecord& r, int k, float x, float y) {
  r.sil[k][0] = x;
  r.sil[k][1] = y;
  r.silpix[k][0] = x * 20.0f;
  r.silpix[k][1] = y * 20.0f;
}

// 70 surfaces of revolution, each a 20-point open order-4 vase profile; no
// two alike, so that none shares another's tessellation.
void revolution_scene() {
  for (int slot = 0; slot < MAX_RECORDS - FIRST_OBJECT; slot++) {
    ObjectRecord& r = place_object(slot, TYPE_REVOLUTION);
    r.order = 4;
    r.knots = openknot;
    r.silend = 19;
    for (int k = 0; k < 20; k++) {
      float y = 0.3f * (float)k;
      set_point(r, k, 1.5f + std::sin(0.5f * (float)k + 0.01f * (float)slot), y);
    }
  }
}

// 70 periodic order-4 extrusions with both caps, 80-point star outlines.
void extrusion_scene() {
  for (int slot = 0; slot < MAX_RECORDS - FIRST_OBJECT; slot++) {
    ObjectRecord& r = place_object(slot, TYPE_EXTRUSION);
    r.order = 4;
    r.knots = periodic;
    r.silend = MAX_SIL_POINTS - 1;
    for (int k = 0; k < MAX_SIL_POINTS; k++) {
      float a = 6.2831853f * (float)k / MAX_SIL_POINTS;
      float radius = 2.0f + (0.5f + 0.002f * (float)slot) * std::cos(5.0f * a);
      set_point(r, k, radius * std::cos(a), radius * std::sin(a));
    }
  }
}

// The scene as the program starts: no objects, the panels shown.
void startup_scene() {}

struct Scene {
  const char* name;
  void (*fill)();
  int res;
};

double frame_ms(int frames) {
  const Clock::time_point start = Clock::now();
  for (int f = 0; f < frames; f++) {
    display_3d();
    glFinish();
    glutMainLoopEvent();  // keep the X connection serviced between frames
  }
  return ms_since(start) / frames;
}

struct Stats {
  double median, min, max;
};

Stats summary(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return {times[times.size() / 2], times.front(), times.back()};
}

Stats measure(int frames, int runs) {
  std::vector<double> times;
  for (int r = 0; r < runs; r++) times.push_back(frame_ms(frames));
  return summary(times);
}

void load(const Scene& scene) {
  reset_all();  // also empties the cache
  reshape_3d(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
  scene.fill();
  res = scene.res;
  if (scene.fill != startup_scene) wireframe = 0;  // solid objects; the start-up scene as it starts
}

void compare(const Scene& scene, int frames, int runs) {
  load(scene);
  tess_cache_on = 0;
  frame_ms(1);  // warm-up frame, not counted
  const Stats plain = measure(frames, runs);
  tess_cache_on = 1;
  const double first = frame_ms(1);
  const Stats cached = measure(frames, runs);
  std::printf("%-44s %3d %9.2f %7.2f %7.2f %9.2f %7.2f %7.2f %6.1fx %9.2f\n", scene.name, scene.res,
              plain.median, plain.min, plain.max, cached.median, cached.min, cached.max,
              plain.median / cached.median, first);
  std::fflush(stdout);
}

// Moves one silhouette point of a record a little, a new shape each call.
void nudge(ObjectRecord& r, int step) {
  const int k = r.silend / 2;
  set_point(r, k, r.sil[k][0] + 0.01f * (float)(step % 7 + 1), r.sil[k][1]);
}

void after_changes(const Scene& scene, int runs) {
  load(scene);
  frame_ms(1);  // everything tessellated
  const Stats cached = measure(1, runs);

  std::vector<double> turn;
  long builds = tess_cache_builds();
  for (int r = 0; r < runs; r++) {
    longitude = (longitude + 10) % 360;
    turn.push_back(frame_ms(1));
  }
  const long turn_builds = tess_cache_builds() - builds;

  // The frame after one silhouette changed, and that object's tessellation
  // on its own (drawn once by itself, with a shape the cache has not seen).
  ObjectRecord& changed = ObjectTable[FIRST_OBJECT + 35];
  std::vector<double> after, alone;
  builds = tess_cache_builds();
  for (int r = 0; r < runs; r++) {
    nudge(changed, 2 * r);
    after.push_back(frame_ms(1));
    nudge(changed, 2 * r + 1);
    const Clock::time_point start = Clock::now();
    draw_object(changed);
    glFinish();
    alone.push_back(ms_since(start));
  }
  const double per_change = (double)(tess_cache_builds() - builds) / (2 * runs);
  const Stats turned = summary(turn), edited = summary(after), object = summary(alone);
  std::printf("%s, res %d, cached:\n", scene.name, scene.res);
  std::printf("  frame                       %9.2f ms\n", cached.median);
  std::printf("  after a camera turn         %9.2f ms, %ld surfaces tessellated\n", turned.median,
              turn_builds);
  std::printf(
      "  after one silhouette change %9.2f ms, %.0f surfaces tessellated;"
      " frame + that object's tessellation %.2f + %.2f = %.2f ms\n",
      edited.median, per_change, cached.median, object.median, cached.median + object.median);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("DISPLAY") || !*std::getenv("DISPLAY")) {
    std::fprintf(stderr, "frame_bench: no X display; run it under xvfb-run\n");
    return 1;
  }
  int frames = argc > 1 ? std::atoi(argv[1]) : 5;
  int runs = argc > 2 ? std::atoi(argv[2]) : 5;
  if (frames < 1 || runs < 1) {
    std::fprintf(stderr, "usage: frame_bench [frames >= 1 [runs >= 1]]\n");
    return 1;
  }

  int glut_argc = 1;
  char* glut_argv[] = {argv[0], nullptr};
  reset_all();
  create_windows(&glut_argc, glut_argv);
  for (int i = 0; i < 20; i++) glutMainLoopEvent();
  select_display_window();

  const Scene startup = {"start-up scene, panels shown", startup_scene, 10};
  const Scene revolutions10 = {"70 revolutions, 20-point open order 4", revolution_scene, 10};
  const Scene revolutions50 = {"70 revolutions, 20-point open order 4", revolution_scene, 50};
  const Scene extrusions50 = {"70 periodic extrusions, caps, 80 points", extrusion_scene, 50};

  std::printf("frame_bench: %d frames per run, %d runs, window %d x %d\n", frames, runs,
              glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
  std::printf("%-44s %3s %25s %25s %7s %9s\n", "", "", "uncached ms per frame",
              "cached ms per frame", "", "cached");
  std::printf("%-44s %3s %9s %7s %7s %9s %7s %7s %7s %9s\n", "scene", "res", "median", "min", "max",
              "median", "min", "max", "ratio", "1st frame");
  for (const Scene* scene : {&startup, &revolutions10, &revolutions50, &extrusions50})
    compare(*scene, frames, runs);
  std::printf("\n");
  for (const Scene* scene : {&revolutions50, &extrusions50}) after_changes(*scene, runs);
  return 0;
}
