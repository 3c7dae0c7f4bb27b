// The real silmod driven as a user would, by xdotool's mouse moves, clicks and
// keys, on its own X server (tests side by side cannot click into each other's
// windows) in a scratch directory.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>

using std::string;
using std::to_string;

// What a shell command prints.
static string output(const string& cmd) {
  string text;
  if (FILE* p = popen(cmd.c_str(), "r")) {
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) text.append(buf, n);
    pclose(p);
  }
  return text;
}
static string slurp(const string& path) { return output("cat '" + path + "' 2>/dev/null"); }

// Polls cond for about ten seconds.
template <class Cond>
static bool wait_for(Cond cond) {
  for (int i = 0; i < 200; i++, usleep(50000))
    if (cond()) return true;
  return false;
}

// Whether the pixel at x, y (y down) of a binary PPM screenshot is a grey of the given level.
static bool grey(const string& ppm, int x, int y, int level, int tol = 3) {
  int w = 0, h = 0, at = 0;
  if (std::sscanf(ppm.c_str(), "P6 %d %d 255%n", &w, &h, &at) != 2 || !at || x < 0 || y < 0 ||
      x >= w || y >= h)
    return false;
  const size_t i = at + 1 + (static_cast<size_t>(y) * w + x) * 3;
  for (size_t c = i; c < i + 3; c++)
    if (c >= ppm.size() || std::abs(static_cast<unsigned char>(ppm[c]) - level) > tol) return false;
  return true;
}

// A program started through the shell, which prints its pid before "exec".
struct Process {
  FILE* out = nullptr;
  int pid = 0;
  bool start(const string& cmd) {
    out = popen(("echo $$; " + cmd).c_str(), "r");
    return out && std::fscanf(out, "%d", &pid) == 1;
  }
  void stop() {
    if (pid > 0) kill(pid, SIGTERM);
    if (out) pclose(out);
  }
};

struct EndToEnd : ::testing::Test {
  string base, dir, display_win, curves_win;
  Process xvfb, silmod;

  void SetUp() override {
    char tmpl[] = "/tmp/silmod_e2e_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    base = tmpl;
    dir = base + "/work/";
    std::filesystem::create_directory(dir);
  }
  void TearDown() override {
    for (Process* p : {&silmod, &xvfb}) p->stop();
    if (!base.empty()) std::filesystem::remove_all(base);
  }
  string log() const { return slurp(base + "/silmod.log"); }

  // Starts the X server and silmod, named to it by GLUT's "-display" option
  // alone, puts "curves" beside "display" and waits for the object panel's
  // translucent grey at the window's real size.
  bool start() {
    int number = -1;  // -displayfd hands back the number of a free display
    if (!xvfb.start("exec Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null") ||
        std::fscanf(xvfb.out, "%d", &number) != 1)
      return false;
    const string display = ":" + to_string(number);
    setenv("DISPLAY", display.c_str(), 1);  // for xdotool, import and the exported program
    if (!silmod.start("cd " + dir +
                      " && exec env -u DISPLAY " SILMOD_BINARY_DIR "/silmod -display " + display +
                      " >" + base + "/silmod.log 2>&1"))
      return false;
    display_win = find_window(silmod.pid, "display");
    curves_win = find_window(silmod.pid, "curves");
    if (display_win.empty() || curves_win.empty()) return false;
    xdo("windowmove " + display_win + " 0 0 windowmove " + curves_win + " 620 0");
    return wait_for([&] { return grey(shot(display_win), 150, 190, 138, 4); });
  }
  string find_window(int pid, const string& title) {
    const string ids = output("timeout 15 xdotool search --sync --pid " + to_string(pid) +
                              " --name '^" + title + "$'");
    return ids.substr(0, ids.find('\n'));
  }
  void xdo(const string& args) { output("xdotool " + args + " >/dev/null 2>&1"); }
  string move(const string& win, int x, int y) {
    return "mousemove --window " + win + " " + to_string(x) + " " + to_string(y) + " ";
  }
  // Presses 150 ms apart: two make a double click in the browser.
  void click(const string& win, int x, int y, int times = 1) {
    xdo(move(win, x, y) + "click --repeat " + to_string(times) + " --delay 150 1");
  }
  // Keys reach the "display" window while the pointer is over it (the name field).
  void keys(const string& args) { xdo(move(display_win, 400, 38) + args); }
  // Entry k of the "i/o menu": below the bar first (a title still lit from the
  // last visit opens nothing until then), onto the title, down.
  void menu(int k) {
    xdo(move(display_win, 260, 40) + move(display_win, 270, 5) + move(display_win, 260, 20 * k) +
        "click 1");
  }
  string shot(const string& win) { return output("import -window " + win + " -depth 8 ppm:-"); }
  bool wait_file(const string& name, const string& text) {
    return wait_for([&] { return slurp(dir + name).find(text) != string::npos; });
  }
  // Types name over the proposed one and confirms it with a double click on the field.
  void save_as(const string& name) {
    keys("key --repeat 14 --delay 20 BackSpace type --delay 20 " + name);
    click(display_win, 400, 38, 2);
  }
};

TEST_F(EndToEnd, BuildUndoSaveAndExport) {
  ASSERT_TRUE(start()) << log();
  keys("");  // the pointer where keys are typed, and a frame that no longer changes
  string fresh;
  ASSERT_TRUE(wait_for([&] {
    const string now = shot(display_win);
    return now == std::exchange(fresh, now);
  }));
  click(display_win, 65, 10);  // "box", taken back and done again
  ASSERT_TRUE(wait_file("backup.ses", "\nbox \n")) << log();
  xdo(move(curves_win, 150, 150) + "key ctrl+z");  // undone in "curves"
  EXPECT_TRUE(wait_for([&] { return shot(display_win) == fresh; }));  // the list empty again
  click(display_win, 530, 188);  // "backup"
  ASSERT_TRUE(wait_file("backup.ses", "version   1 \n  5   \n"));
  keys("key ctrl+shift+z");
  click(display_win, 530, 188);
  ASSERT_TRUE(wait_file("backup.ses", "\nbox \n"));
  keys("key ctrl+z");
  click(display_win, 530, 188);
  ASSERT_TRUE(wait_file("backup.ses", "version   1 \n  5   \n"));
  click(display_win, 95, 10);  // "sph"
  ASSERT_TRUE(wait_file("backup.ses", "\nsphere \n")) << log();
  click(display_win, 65, 22);  // "rev", then five points in "curves"
  ASSERT_TRUE(wait_file("backup.ses", "\nrevolution \n"));
  const int points[5][2] = {{151, 58}, {180, 100}, {203, 150}, {170, 196}, {150, 250}};
  for (const auto& p : points) click(curves_win, p[0], p[1]);
  click(display_win, 530, 188);  // "backup" in the lights panel
  ASSERT_TRUE(wait_file("backup.ses", "150.00 50.00 7.50 2.50 \n"));
  // The last point's index, then the points snapped to the 10-pixel grid, y up
  // from the bottom of the 300-pixel window.
  const string backup = slurp(dir + "backup.ses");
  EXPECT_NE(backup.find(" 4          \n150.00 240.00 7.50 12.00 \n180.00 200.00 9.00 10.00 \n"
                        "200.00 150.00 10.00 7.50 \n170.00 100.00 8.50 5.00 \n"
                        "150.00 50.00 7.50 2.50 \n",
                        backup.rfind("\nrevolution \n")),
            string::npos)
      << backup;

  menu(3);  // "save session"
  save_as("myscene");
  ASSERT_TRUE(wait_file("myscene.ses", "\nrevolution \n"));

  menu(4);  // "save to rib", proposing "untitled.rib"
  click(display_win, 400, 38, 2);
  ASSERT_TRUE(wait_file("untitled.rib", "WorldEnd"));
  menu(5);  // "save to gl", proposing "untitled.c"
  click(display_win, 400, 38, 2);
  ASSERT_TRUE(wait_file("untitled.c", " }  \n"));
  EXPECT_EQ(waitpid(silmod.pid, nullptr, WNOHANG), 0) << log();  // silmod still runs
}

// The modeller starts only where a display is named, by DISPLAY or by
// "-display"; a named display that does not answer is GLUT's to report.
TEST(Start, NeedsADisplayNamed) {
  const string silmod = SILMOD_BINARY_DIR "/silmod";
  const string none = output("env -u DISPLAY " + silmod + " 2>&1; echo \"exit $?\"");
  EXPECT_NE(none.find("silmod: no X display"), string::npos) << none;
  EXPECT_NE(none.find("exit 1"), string::npos) << none;
  const string named_ways[] = {"env DISPLAY=:65000 " + silmod,
                               "env -u DISPLAY " + silmod + " -display :65000"};
  for (const string& named : named_ways) {
    const string said = output(named + " 2>&1");
    EXPECT_EQ(said.find("no X display"), string::npos) << named << ": " << said;
    EXPECT_NE(said.find(":65000"), string::npos) << named << ": " << said;
  }
}
