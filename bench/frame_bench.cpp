// Frame time of the 3D view: opens the real "display" window, fills the
// scene tables with a test scene and draws frames through display_3d.
//
//   frame_bench [frames [runs]]     (defaults 5 frames, 5 runs)
//
// For each scene and sampling density it prints the median, minimum and
// maximum milliseconds per frame over the runs. It measures; it does not judge.
#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/scene.h"
#include "app/startup.h"
#include "app/window.h"
#include "render/render.h"

namespace {

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

// 70 surfaces of revolution, each a 20-point open order-4 vase profile.
void revolution_scene() {
  for (int slot = 0; slot < MAX_RECORDS - FIRST_OBJECT; slot++) {
    ObjectRecord& r = place_object(slot, TYPE_REVOLUTION);
    r.order = 4;
    r.knots = openknot;
    r.silend = 19;
    for (int k = 0; k < 20; k++) {
      float y = 0.3f * (float)k;
      set_point(r, k, 1.5f + std::sin(0.5f * (float)k), y);
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
      float radius = 2.0f + 0.5f * std::cos(5.0f * a);
      set_point(r, k, radius * std::cos(a), radius * std::sin(a));
    }
  }
}

void empty_scene() {}

double frame_ms(int frames) {
  auto start = std::chrono::steady_clock::now();
  for (int f = 0; f < frames; f++) {
    display_3d();
    glFinish();
    glutMainLoopEvent();  // keep the X connection serviced between frames
  }
  auto end = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::milli>(end - start).count() / frames;
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

  struct Scene {
    const char* name;
    void (*fill)();
  };
  const Scene scenes[] = {{"empty start-up scene", empty_scene},
                          {"70 revolutions, 20-point open order 4", revolution_scene},
                          {"70 periodic extrusions with caps, 80 points", extrusion_scene}};

  std::printf("frame_bench: %d frames per run, %d runs, window %d x %d\n", frames, runs,
              glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
  std::printf("%-46s %4s %10s %10s %10s\n", "scene", "res", "median ms", "min ms", "max ms");
  for (const Scene& scene : scenes) {
    for (int density : {10, 50}) {
      reset_all();
      reshape_3d(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
      scene.fill();
      res = density;
      wireframe = 0;
      frame_ms(1);  // warm-up frame, not counted
      std::vector<double> times;
      for (int r = 0; r < runs; r++) times.push_back(frame_ms(frames));
      std::sort(times.begin(), times.end());
      std::printf("%-46s %4d %10.2f %10.2f %10.2f\n", scene.name, density, times[times.size() / 2],
                  times.front(), times.back());
      std::fflush(stdout);
    }
  }
  return 0;
}
