// Memory and time of the undo history: typical actions driven through the
// callbacks the windows register (no display needed), each repeated, with
// the bytes one step holds as the history counts them (and, for repeated
// steps, as the heap grew), and the time an event takes to be compared with
// the recorded state.
//
//   history_bench [repeats]     (default 100)
//
// It measures; it does not judge.
#include <malloc.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "app/scene.h"
#include "app/window.h"
#include "history/history.h"
#include "io/code_table.h"
#include "io/session.h"
#include "main/events.h"
#include "main/startup.h"

namespace {

void click(int x, int y) { on_display_mouse(0, 0, x, y), on_display_mouse(0, 1, x, y); }

// A scene of n boxes and a revolution of 12 points (current), two shader
// code entries, in a 600 x 500 window; the history starts here.
void scene(int n) {
  reset_all();
  win_width = 600, win_height = 500;
  std::FILE* f = std::fopen("bench.rcf", "w");
  std::fputs("*shader one\nSurface \"matte\"\n*end\n*shader two\nSurface \"metal\"\n*end\n", f);
  std::fclose(f);
  load_code_file("bench.rcf");
  new_type = TYPE_BOX;
  for (int i = 0; i < n; i++) create_object();
  new_type = TYPE_REVOLUTION;
  create_object();
  ObjectRecord& r = ObjectTable[current_record];
  for (int k = 0; k < 12; k++) {
    r.silpix[k][0] = 10.0f * k, r.silpix[k][1] = 20.0f * k;
    r.sil[k][0] = r.silpix[k][0] / 20, r.sil[k][1] = r.silpix[k][1] / 20;
  }
  r.silend = 11;
  load_edit_buffer();
  reset_history();
}

// Runs act(i) for i = 0..times-1 on a fresh scene of 20 boxes and a revolution.
void measure(const char* what, int times, const std::function<void(int)>& act) {
  scene(20);
  const std::size_t heap = mallinfo2().uordblks;
  for (int i = 0; i < times; i++) act(i);
  const std::size_t steps = undo_depth();
  const double counted = steps ? static_cast<double>(history_bytes()) / steps : 0;
  std::printf("%-36s %5zu steps %9.0f B/step counted", what, steps, counted);
  // The heap's growth says little about a single step: freed blocks are reused.
  if (steps >= 10)
    std::printf(" %9.0f B/step heap", static_cast<double>(mallinfo2().uordblks - heap) / steps);
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  const int repeats = argc > 1 ? std::atoi(argv[1]) : 100;
  char dir[] = "/tmp/history_bench_XXXXXX";
  if (!mkdtemp(dir) || chdir(dir) != 0) return 1;
  std::printf("scene of 20 boxes and a revolution, %d repeats\n", repeats);
  measure("panel value (rotation x)", repeats, [](int) { click(50, 50); });
  measure("curve point appended", repeats < 60 ? repeats : 60, [](int i) {
    on_curves_mouse(0, 0, 20 + 4 * i, 200), on_curves_mouse(0, 1, 20 + 4 * i, 200);
  });
  measure("name retyped, 12 keys", 1, [](int) {
    for (const char* k = "\b\b\b\b\b\b\b\b\b\bbench_name"; *k; k++) on_display_key(*k, 0, 0, false);
  });
  measure("object created (type button)", repeats < 50 ? repeats : 50,
          [](int i) { click(65 + 30 * (i % 3), 10); });
  measure("delete all (menu, answer)", 1, [](int) {
    misc_menu_open = 1;
    click(200, 40), click(260, 235);
  });
  // Another scene of 40 boxes, each placed elsewhere, loaded over the 21 objects.
  scene(40);
  for (int i = FIRST_OBJECT; i <= last_record; i++) ObjectTable[i].position[0] = 1.0f + i;
  save_session("other.ses");
  measure("session load (41 objects over 21)", 1, [](int) {
    load_session("other.ses");
    record_event();
  });

  scene(69);
  const int events = 2000;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < events; i++) on_display_motion(10 + i % 200, 300);
  const double us =
      std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
  std::printf("event that changes nothing (pointer motion), full scene: %.1f us\n", us / events);
  std::system((std::string("rm -rf ") + dir).c_str());
  return 0;
}
