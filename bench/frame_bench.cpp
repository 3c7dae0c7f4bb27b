// Frame time of the 3D view: opens the real "display" window, fills the
// scene tables with a test scene and draws frames through display_3d, each
// scene three ways: tessellating every surface every frame (uncached), from
// the cache of GLU's tessellation at res (exact), and from the cache of the
// modeller's own tessellation at the level of detail the view needs (fast).
//
//   frame_bench [--pictures DIR] [--only SCENE-ID] [--no-timing] [frames [runs]]
//                                               (defaults 5 frames, 5 runs)
//
// For each scene it prints the median, minimum and maximum milliseconds per
// frame over the runs of each way, the first frame of the exact and the fast
// way (which tessellates everything), and a line
//   summary <scene-id> res=<res> exact_ms=<median> fast_ms=<median> exact_first_ms=<v>
//   fast_first_ms=<v>
// Then, in the dense scenes, the frame after a camera turn and the frame
// after one object's silhouette changed, both ways. With --pictures it writes,
// for every scene and camera, the frame drawn each way and the empty scene's
// frame from the same camera as binary PPM files
// (<scene-id>-<camera>-exact.ppm, <scene-id>-<camera>-fast.ppm,
// empty-<camera>.ppm), and prints how many of the pixels the objects cover
// differ between the two ways by more than 16 levels. It measures; it does
// not judge.
#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
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

// The 70 capped extrusions at a size at which none reaches into another.
void far_scene() {
  extrusion_scene();
  for (int i = FIRST_OBJECT; i <= last_record; i++)
    ObjectTable[i].scales[0] = ObjectTable[i].scales[1] = ObjectTable[i].scales[2] = 0.35f;
}

// The scene as the program starts: no objects, the panels shown.
void startup_scene() {}

// One revolution and one capped extrusion, side by side, at full size: close
// to the camera they fill most of the window.
void closeup_scene() {
  revolution_scene();
  ObjectRecord vase = ObjectTable[FIRST_OBJECT];
  extrusion_scene();
  ObjectRecord star = ObjectTable[FIRST_OBJECT];
  last_record = FIRST_OBJECT + 1;
  vase.position[0] = -3.5f, vase.position[1] = -3.0f, vase.position[2] = 0.0f;
  star.position[0] = 3.0f, star.position[1] = 0.0f, star.position[2] = 0.0f;
  vase.scales[0] = vase.scales[1] = vase.scales[2] = 1.0f;
  star.scales[0] = star.scales[1] = star.scales[2] = 1.0f;
  star.angles[1] = 35;  // the front cap and the side both in view
  ObjectTable[FIRST_OBJECT] = vase;
  ObjectTable[FIRST_OBJECT + 1] = star;
}

// A camera on the sphere around the origin.
struct Camera {
  const char* name;
  int latitude, longitude, distance;
};

struct Scene {
  const char* id;    // names the summary line and the pictures
  const char* name;  // says what it holds
  void (*fill)();
  int res;
  Camera cameras[2];  // the first is the one measured
};

void place_camera(const Camera& c) {
  latitude = c.latitude;
  longitude = c.longitude;
  distance = c.distance;
}

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
  place_camera(scene.cameras[0]);
  if (scene.fill != startup_scene) wireframe = 0;  // solid objects; the start-up scene as it starts
}

// Which tessellation the cache holds; the cache is emptied, so that the
// next frame tessellates everything.
enum Way { UNCACHED, EXACT, FAST };
void use(Way way) {
  reset_tess_cache();
  tess_cache_on = way != UNCACHED;
  tess_exact = way == EXACT;
}

void compare(const Scene& scene, int frames, int runs) {
  load(scene);
  use(UNCACHED);
  frame_ms(1);  // warm-up frame, not counted
  const Stats plain = measure(frames, runs);
  use(EXACT);
  const double exact_first = frame_ms(1);
  const Stats exact = measure(frames, runs);
  use(FAST);
  const double fast_first = frame_ms(1);
  const Stats fast = measure(frames, runs);
  std::printf("%-8s %-42s %3d %8.2f %7.2f %7.2f %8.2f %7.2f %7.2f %8.2f %7.2f %7.2f %9.2f %9.2f\n",
              scene.id, scene.name, scene.res, plain.median, plain.min, plain.max, exact.median,
              exact.min, exact.max, fast.median, fast.min, fast.max, exact_first, fast_first);
  std::printf(
      "summary %s res=%d exact_ms=%.2f fast_ms=%.2f exact_first_ms=%.2f fast_first_ms=%.2f\n",
      scene.id, scene.res, exact.median, fast.median, exact_first, fast_first);
  std::fflush(stdout);
}

// Moves one silhouette point of a record a little, a new shape each call.
void nudge(ObjectRecord& r, int step) {
  const int k = r.silend / 2;
  set_point(r, k, r.sil[k][0] + 0.01f * (float)(step % 7 + 1), r.sil[k][1]);
}

void after_changes(const Scene& scene, Way way, int runs) {
  load(scene);
  use(way);
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
  // The object is the first from the middle of the table that the view
  // shows: the fast way neither tessellates nor draws what it does not.
  const int objects = last_record - FIRST_OBJECT + 1;
  int pick = FIRST_OBJECT + objects / 2;
  for (int k = 0; k < objects; k++) {
    const int i = FIRST_OBJECT + (objects / 2 + k) % objects;
    const long before = tess_cache_builds();
    nudge(ObjectTable[i], k);
    frame_ms(1);
    if (tess_cache_builds() > before) {
      pick = i;
      break;
    }
  }
  ObjectRecord& changed = ObjectTable[pick];
  std::vector<double> after, alone;
  builds = tess_cache_builds();
  for (int r = 0; r < runs; r++) {
    nudge(changed, 2 * r);
    after.push_back(frame_ms(1));
    nudge(changed, 2 * r + 1);
    // The view's window and camera, which the events between frames may have changed.
    select_display_window();
    load_camera();
    glPushMatrix();
    glTranslatef(changed.position[0], changed.position[1], changed.position[2]);
    glScalef(changed.scales[0], changed.scales[1], changed.scales[2]);
    const Clock::time_point start = Clock::now();
    draw_object(changed);
    glFinish();
    alone.push_back(ms_since(start));
    glPopMatrix();
  }
  const double per_change = (double)(tess_cache_builds() - builds) / (2 * runs);
  const Stats turned = summary(turn), edited = summary(after), object = summary(alone);
  std::printf("%s, res %d, %s:\n", scene.name, scene.res, way == EXACT ? "exact" : "fast");
  std::printf("  frame                       %9.2f ms\n", cached.median);
  std::printf("  after a camera turn         %9.2f ms, %ld surfaces tessellated\n", turned.median,
              turn_builds);
  std::printf(
      "  after one silhouette change %9.2f ms, %.0f surfaces tessellated;"
      " frame + that object's tessellation %.2f + %.2f = %.2f ms\n",
      edited.median, per_change, cached.median, object.median, cached.median + object.median);
  std::fflush(stdout);
}

// ---- Pictures ----------------------------------------------------------------

using Picture = std::vector<unsigned char>;  // RGB rows from the top

Picture frame_picture(int w, int h) {
  display_3d();
  glFinish();
  Picture rows(3 * w * h), flipped(3 * w * h);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
  for (int y = 0; y < h; y++) std::memcpy(&flipped[3 * w * y], &rows[3 * w * (h - 1 - y)], 3 * w);
  return flipped;
}

bool write_ppm(const std::string& path, const Picture& p, int w, int h) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) {
    std::fprintf(stderr, "frame_bench: cannot write %s\n", path.c_str());
    return false;
  }
  std::fprintf(f, "P6\n%d %d\n255\n", w, h);
  const bool ok = std::fwrite(p.data(), 1, p.size(), f) == p.size();
  return std::fclose(f) == 0 && ok;
}

// Pixels the objects cover (those unlike the empty scene's), and how many
// of them differ between the two pictures by more than 16 in a channel.
void picture_difference(const Picture& empty, const Picture& a, const Picture& b, long* covered,
                        long* differing) {
  *covered = *differing = 0;
  for (size_t i = 0; i < a.size(); i += 3) {
    bool object = false, differs = false;
    for (int c = 0; c < 3; c++) {
      object = object || a[i + c] != empty[i + c] || b[i + c] != empty[i + c];
      differs = differs || std::abs(a[i + c] - b[i + c]) > 16;
    }
    *covered += object;
    *differing += object && differs;
  }
}

void pictures(const Scene& scene, const std::string& dir) {
  const int w = glutGet(GLUT_WINDOW_WIDTH), h = glutGet(GLUT_WINDOW_HEIGHT);
  for (const Camera& camera : scene.cameras) {
    load(scene);
    place_camera(camera);
    use(EXACT);
    const Picture exact = frame_picture(w, h);
    use(FAST);
    const Picture fast = frame_picture(w, h);
    const unsigned long fast_kb = tess_cache_bytes() / 1024;
    const int objects = last_record;
    last_record = LAST_LIGHT;  // the same view without the objects
    const Picture empty = frame_picture(w, h);
    last_record = objects;
    const std::string stem = dir + "/" + scene.id + "-" + camera.name;
    write_ppm(stem + "-exact.ppm", exact, w, h);
    write_ppm(stem + "-fast.ppm", fast, w, h);
    write_ppm(dir + "/empty-" + camera.name + ".ppm", empty, w, h);
    long covered = 0, differing = 0;
    picture_difference(empty, exact, fast, &covered, &differing);
    std::printf(
        "pictures %s-%s: %ld pixels show objects, %ld of them (%.3f %%) differ by more than 16; "
        "fast arrays %lu kB\n",
        scene.id, camera.name, covered, differing,
        covered ? 100.0 * (double)differing / (double)covered : 0.0, fast_kb);
    std::fflush(stdout);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("DISPLAY") || !*std::getenv("DISPLAY")) {
    std::fprintf(stderr, "frame_bench: no X display; run it under xvfb-run\n");
    return 1;
  }
  std::string picture_dir, only;
  bool timing = true;
  std::vector<int> counts;
  for (int i = 1; i < argc; i++) {
    if (std::strcmp(argv[i], "--pictures") == 0 && i + 1 < argc)
      picture_dir = argv[++i];
    else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc)
      only = argv[++i];
    else if (std::strcmp(argv[i], "--no-timing") == 0)
      timing = false;
    else
      counts.push_back(std::atoi(argv[i]));
  }
  const int frames = counts.size() > 0 ? counts[0] : 5;
  const int runs = counts.size() > 1 ? counts[1] : 5;
  if (frames < 1 || runs < 1 || counts.size() > 2) {
    std::fprintf(stderr,
                 "usage: frame_bench [--pictures DIR] [--only SCENE-ID] [--no-timing] [frames >= 1 "
                 "[runs >= 1]]\n");
    return 1;
  }

  int glut_argc = 1;
  char* glut_argv[] = {argv[0], nullptr};
  reset_all();
  create_windows(&glut_argc, glut_argv);
  for (int i = 0; i < 20; i++) glutMainLoopEvent();
  select_display_window();

  const Camera home = {"home", 45, 45, 24}, turned = {"turned", 30, 100, 24};
  const Scene startup = {
      "startup", "start-up scene, panels shown", startup_scene, 10, {home, turned}};
  const Scene revolutions10 = {
      "rev10", "70 revolutions, 20-point open order 4", revolution_scene, 10, {home, turned}};
  const Scene revolutions50 = {
      "rev50", "70 revolutions, 20-point open order 4", revolution_scene, 50, {home, turned}};
  const Scene extrusions50 = {
      "ext50", "70 periodic extrusions, caps, 80 points", extrusion_scene, 50, {home, turned}};
  const Scene closeup = {"close50",
                         "close-up: one revolution, one capped extrusion",
                         closeup_scene,
                         50,
                         {{"near", 10, 20, 30}, {"side", 35, 60, 26}}};
  const Scene far = {"far50",
                     "far view of 70 smaller extrusions",
                     far_scene,
                     50,
                     {{"far", 45, 45, 150}, {"farlow", 15, 200, 120}}};
  std::vector<const Scene*> all;
  for (const Scene* scene :
       {&startup, &revolutions10, &revolutions50, &extrusions50, &closeup, &far})
    if (only.empty() || only == scene->id) all.push_back(scene);

  std::printf("frame_bench: %d frames per run, %d runs, window %d x %d\n", frames, runs,
              glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT));
  std::printf("%-8s %-42s %3s %24s %24s %24s %19s\n", "", "", "", "uncached ms per frame",
              "exact (GLU) ms per frame", "fast ms per frame", "1st frame ms");
  std::printf("%-8s %-42s %3s %8s %7s %7s %8s %7s %7s %8s %7s %7s %9s %9s\n", "id", "scene", "res",
              "median", "min", "max", "median", "min", "max", "median", "min", "max", "exact",
              "fast");
  for (const Scene* scene : all)
    if (timing) compare(*scene, frames, runs);
  std::printf("\n");
  for (const Scene* scene : {&revolutions50, &extrusions50})
    if (timing && (only.empty() || only == scene->id))
      for (Way way : {EXACT, FAST}) after_changes(*scene, way, runs);
  if (!picture_dir.empty()) {
    std::printf("\n");
    for (const Scene* scene : all) pictures(*scene, picture_dir);
  }
  return 0;
}
