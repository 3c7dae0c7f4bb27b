// Drives the real silmod program as a user would: each test gets its own X
// server (so tests running side by side cannot click into each other's
// windows), a scratch working directory, and xdotool for the mouse and keys.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

namespace e2e {

using Clock = std::chrono::steady_clock;

inline std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Runs a shell command; its output goes to *out when given. The exit code.
inline int run(const std::string& cmd, std::string* out = nullptr) {
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return -1;
  char buf[512];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
    if (out) out->append(buf, n);
  int status = pclose(p);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Polls cond every 50 ms for at most ms milliseconds.
inline bool wait_for(const std::function<bool()>& cond, int ms = 10000) {
  for (auto end = Clock::now() + std::chrono::milliseconds(ms); Clock::now() < end;) {
    if (cond()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return cond();
}

// A screenshot as 8-bit RGB, read from a binary PPM.
struct Image {
  int width = 0, height = 0;
  std::string rgb;
  explicit Image(const std::string& ppm) {
    std::istringstream in(ppm);
    std::string magic;
    int maxval = 0;
    in >> magic >> width >> height >> maxval;
    in.get();
    std::streamoff start = in.tellg();
    size_t size = static_cast<size_t>(width) * height * 3;
    if (magic == "P6" && maxval == 255 && width > 0 && height > 0 && start > 0 &&
        ppm.size() >= static_cast<size_t>(start) + size)
      rgb = ppm.substr(static_cast<size_t>(start), size);
  }
  // Whether the pixel at window x, y (y down) is a grey of the given level.
  bool grey(int x, int y, int level, int tol = 3) const {
    if (x < 0 || y < 0 || x >= width || y >= height || rgb.empty()) return false;
    for (int c = 0; c < 3; c++) {
      int v = static_cast<unsigned char>(rgb[(static_cast<size_t>(y) * width + x) * 3 + c]);
      if (std::abs(v - level) > tol) return false;
    }
    return true;
  }
};

// A program started through the shell, which prints its own pid and then
// becomes the program ("exec").
struct Process {
  FILE* out = nullptr;
  pid_t pid = -1;
  bool start(const std::string& cmd) {
    out = popen(("echo $$; " + cmd).c_str(), "r");
    char line[32];
    if (out && std::fgets(line, sizeof line, out)) pid = std::atoi(line);
    return pid > 0;
  }
  bool alive() const { return pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0; }
  void stop() {
    if (pid > 0) {
      kill(pid, SIGTERM);
      if (!wait_for([&] { return waitpid(pid, nullptr, WNOHANG) != 0; }, 3000)) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
      }
    }
    if (out) pclose(out);
    out = nullptr;
    pid = -1;
  }
  ~Process() { stop(); }
};

// One running silmod with its own X server and working directory.
class App {
 public:
  std::string base;  // scratch directory of the test
  std::string dir;   // silmod's working directory, inside base
  std::string display_win, curves_win;
  Process xvfb, silmod, other;

  // Display-window points of the browser's controls (600 x 500 window).
  static constexpr int FIELD_X = 400, FIELD_Y = 38;   // the name field
  static constexpr int BUTTON_Y = 70, CLOSE_X = 450;  // "close"

  App() {
    char tmpl[] = "/tmp/silmod_e2e_XXXXXX";
    if (mkdtemp(tmpl)) base = tmpl;
    dir = base + "/work";
    std::filesystem::create_directories(dir);
  }
  ~App() {
    for (Process* p : {&other, &silmod, &xvfb}) p->stop();
    if (!base.empty() && !std::getenv("SILMOD_E2E_KEEP")) std::filesystem::remove_all(base);
  }

  std::string path(const std::string& name) const { return dir + "/" + name; }
  std::string log() const { return slurp(base + "/silmod.log"); }

  // Starts the X server and silmod, named to it by DISPLAY or, with
  // display_option, by GLUT's "-display" option alone; waits for the first
  // frame with panels and puts the "curves" window beside the "display" one.
  bool start(bool display_option = false) {
    // -displayfd hands back the number of the display it found free.
    char number[32];
    if (!xvfb.start("exec Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null") ||
        !std::fgets(number, sizeof number, xvfb.out))
      return false;
    std::string display = ":" + std::string(number, std::strcspn(number, "\n"));
    setenv("DISPLAY", display.c_str(), 1);  // for xdotool, import and exported programs
    std::string program = std::string(SILMOD_BINARY_DIR) + "/silmod";
    if (display_option) program = "env -u DISPLAY " + program + " -display " + display;
    if (!silmod.start("cd " + dir + " && exec " + program + " >" + base + "/silmod.log 2>&1"))
      return false;
    display_win = find_window(silmod.pid, "^display$");
    curves_win = find_window(silmod.pid, "^curves$");
    if (display_win.empty() || curves_win.empty()) return false;
    xdo("windowmove " + display_win + " 0 0");
    xdo("windowmove " + curves_win + " 620 0");
    // The object panel's translucent grey at the window's real size.
    return wait_for([&] { return shot(display_win).grey(150, 190, 138, 4); });
  }

  // Id of the window of process pid whose name matches the pattern, or "".
  std::string find_window(pid_t pid, const std::string& pattern) {
    std::string out;
    run("timeout 15 xdotool search --sync --pid " + std::to_string(pid) + " --name '" + pattern +
            "' 2>/dev/null",
        &out);
    return out.substr(0, out.find('\n'));
  }

  int xdo(const std::string& args) { return run("xdotool " + args + " >/dev/null 2>&1"); }

  void move(const std::string& win, int x, int y) {
    xdo("mousemove --window " + win + " " + std::to_string(x) + " " + std::to_string(y));
  }

  void click(const std::string& win, int x, int y) {
    move(win, x, y);
    xdo("click 1");
    note_press(win, x);
  }

  // Two presses 150 ms apart. The browser counts a press within a second of
  // the previous one as a double click, so the first press waits until the
  // last one in the browser is more than a second old.
  void double_click(const std::string& win, int x, int y) {
    std::this_thread::sleep_until(last_browser_press_ + std::chrono::milliseconds(1300));
    move(win, x, y);
    xdo("click --repeat 2 --delay 150 1");
    note_press(win, x);
  }

  // Keys go to the "display" window while the pointer is over it.
  void type(const std::string& text) {
    move(display_win, FIELD_X, FIELD_Y);
    xdo("type --delay 20 '" + text + "'");
  }
  void backspaces(int count) {
    std::string keys;
    for (int i = 0; i < count; i++) keys += " BackSpace";
    move(display_win, FIELD_X, FIELD_Y);
    xdo("key --delay 20" + keys);
  }

  // Entry k (1 = first) of the "i/o menu" or of the "misc" menu: the pointer
  // passes below the bar (a title still lit from the last visit opens
  // nothing until then), goes onto the title, then down to the entry.
  void io_menu(int k) { menu(270, 260, k); }
  void misc_menu(int k) { menu(195, 200, k); }

  // The "yes" of a dialog in the middle of the window.
  void dialog_yes() { click(display_win, 260, 235); }

  Image shot(const std::string& win) {
    std::string file = base + "/shot.ppm";
    run("import -window " + win + " -depth 8 ppm:" + file + " 2>/dev/null");
    return Image(slurp(file));
  }

  bool wait_file(const std::string& name, const std::string& text) {
    return wait_for([&] { return slurp(path(name)).find(text) != std::string::npos; });
  }

 private:
  Clock::time_point last_browser_press_ = Clock::now() - std::chrono::seconds(10);

  void note_press(const std::string& win, int x) {
    if (win == display_win && x > 300) last_browser_press_ = Clock::now();
  }

  void menu(int title_x, int entry_x, int k) {
    move(display_win, entry_x, 40);
    move(display_win, title_x, 5);
    move(display_win, entry_x, 20 * k);
    xdo("click 1");
  }
};

}  // namespace e2e
