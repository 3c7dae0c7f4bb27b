#include "export/export_tool.h"

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/scene.h"
#include "export/gl_program.h"
#include "export/picture.h"
#include "export/rib.h"
#include "io/code_table.h"
#include "io/png_file.h"
#include "io/session.h"
#include "render/nurbUtil.h"
#include "render/offscreen.h"
#include "render/render.h"

namespace {

const char* const USAGE =
    "usage: silmod-export SESSION [--rib FILE] [--c FILE] [--ses FILE] [--res N]\n"
    "                     [--png FILE [--size WxH] [--wireframe]] [--view LAT,LON,DIST]\n";

const char* const HELP =
    "Reads a silmod session file and writes it out without opening a window.\n"
    "\n"
    "  --rib FILE   write the scene as a RenderMan RIB file\n"
    "  --c FILE     write the scene as a stand-alone OpenGL/GLUT C program\n"
    "  --ses FILE   save the session again (brings an older file to the current layout)\n"
    "  --png FILE   draw the scene into a PNG picture as the modeller's 3D view shows\n"
    "               it in solid drawing (grid, world axes, objects, the session's\n"
    "               lights, no panels); needs no display\n"
    "  --size WxH   size of the picture in pixels (1..8192 each, default 600x500)\n"
    "  --wireframe  draw the picture in the modeller's start-up wireframe look\n"
    "  --view LAT,LON,DIST\n"
    "               camera latitude and longitude in degrees (-90..90, -360..360) and\n"
    "               distance (1..1000) of the picture and the RIB file (default 45,45,24)\n"
    "  --res N      NURBS sampling density of the C program and the picture, as the\n"
    "               modeller's \"nurb\" setting is for both (1..1000, default 10)\n"
    "  --help       show this text\n"
    "\n"
    "At least one of --rib, --c, --ses and --png is needed. The session's shader code\n"
    "section is used for the RIB file and kept in the saved session.\n"
    "Exit status: 0 done, 1 the session could not be read, the picture not drawn or\n"
    "a file not written, 2 bad arguments (nothing is read or written then).\n";

constexpr int MIN_RES = 1;
constexpr int MAX_RES = 1000;
constexpr int NO_VIEW = -100000;    // --view not given
constexpr int DEFAULT_WIDTH = 600;  // the "display" window's start size
constexpr int DEFAULT_HEIGHT = 500;

struct Options {
  std::string session;  // the session file to read
  std::string rib;      // outputs, empty when not asked for
  std::string c_program;
  std::string ses;
  std::string png;
  int res = -1;  // sampling density for the C program and the picture, -1 to keep the default
  int width = -1, height = -1;                // picture size, -1 for the window's start size
  int view[3] = {NO_VIEW, NO_VIEW, NO_VIEW};  // latitude, longitude, distance
  bool wireframe = false;                     // picture in the start-up wireframe look
  bool help = false;
};

// A whole number from low to high at the start of text, followed by stop.
bool parse_int(const char*& text, char stop, int low, int high, int& value) {
  char* end = nullptr;
  errno = 0;
  long v = std::strtol(text, &end, 10);
  if (errno != 0 || end == text || *end != stop || v < low || v > high) return false;
  value = static_cast<int>(v);
  text = *end ? end + 1 : end;
  return true;
}

bool parse_res(const char* text, int& value) {
  return parse_int(text, '\0', MIN_RES, MAX_RES, value);
}

// "WxH", each side 1..MAX_OFFSCREEN_SIDE.
bool parse_size(const char* text, Options& o) {
  return parse_int(text, 'x', 1, MAX_OFFSCREEN_SIDE, o.width) &&
         parse_int(text, '\0', 1, MAX_OFFSCREEN_SIDE, o.height);
}

// "LAT,LON,DIST": latitude -90..90, longitude -360..360, distance 1..1000.
bool parse_view(const char* text, Options& o) {
  return parse_int(text, ',', -90, 90, o.view[0]) && parse_int(text, ',', -360, 360, o.view[1]) &&
         parse_int(text, '\0', 1, 1000, o.view[2]);
}

// An option that takes numbers: given once, and in its form.
bool parse_numbers(const std::string& arg, const char* value, Options& o, std::string& error) {
  bool given = false, ok = false;
  const char* wants = "";
  if (arg == "--res") {
    given = o.res != -1;
    ok = !given && parse_res(value, o.res);
    wants = "a whole number from 1 to 1000";
  } else if (arg == "--size") {
    given = o.width != -1;
    ok = !given && parse_size(value, o);
    wants = "WIDTHxHEIGHT, each from 1 to 8192";
  } else {
    given = o.view[0] != NO_VIEW;
    ok = !given && parse_view(value, o);
    wants = "LAT,LON,DIST with LAT -90..90, LON -360..360, DIST 1..1000";
  }
  if (given)
    error = arg + " given twice";
  else if (!ok)
    error = arg + " wants " + wants + ", not '" + value + "'";
  return ok;
}

// Fills the options; on a mistake returns false with a one-line reason.
bool parse_options(int argc, char** argv, Options& o, std::string& error) {
  for (int i = 1; i < argc; i++) {
    std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      o.help = true;
      continue;
    }
    if (arg == "--wireframe") {
      o.wireframe = true;
      continue;
    }
    std::string* target = nullptr;
    if (arg == "--rib")
      target = &o.rib;
    else if (arg == "--c")
      target = &o.c_program;
    else if (arg == "--ses")
      target = &o.ses;
    else if (arg == "--png")
      target = &o.png;
    const bool numbers = arg == "--res" || arg == "--size" || arg == "--view";
    if (target != nullptr || numbers) {
      if (i + 1 >= argc || argv[i + 1][0] == '\0') {
        error = arg + " needs a value";
        return false;
      }
      const char* value = argv[++i];
      if (numbers) {
        if (!parse_numbers(arg, value, o, error)) return false;
      } else {
        if (!target->empty()) {
          error = arg + " given twice";
          return false;
        }
        *target = value;
      }
      continue;
    }
    if (arg.size() > 1 && arg[0] == '-') {
      error = "unknown option " + arg;
      return false;
    }
    if (!o.session.empty()) {
      error = "more than one session file given ('" + o.session + "' and '" + arg + "')";
      return false;
    }
    o.session = arg;
  }
  if (o.help) return true;
  if (o.session.empty()) {
    error = "no session file given";
    return false;
  }
  if (o.rib.empty() && o.c_program.empty() && o.ses.empty() && o.png.empty()) {
    error = "nothing to write: give --rib, --c, --ses or --png";
    return false;
  }
  if (o.png.empty() && (o.width != -1 || o.wireframe)) {
    error = std::string(o.wireframe ? "--wireframe" : "--size") + " is for a picture: give --png";
    return false;
  }
  return true;
}

// Two names for one file: the same text, or the same existing file.
bool same_file(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  if (a == b) return true;
  struct stat sa, sb;
  if (stat(a.c_str(), &sa) != 0 || stat(b.c_str(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// An export must not overwrite the session it reads nor another output; a
// re-save may replace the session itself.
bool check_outputs(const Options& o, std::string& error) {
  const std::pair<const char*, const std::string*> exports[] = {
      {"--rib", &o.rib}, {"--c", &o.c_program}, {"--png", &o.png}};
  for (const auto& e : exports) {
    if (same_file(*e.second, o.session)) {
      error = std::string(e.first) + " would overwrite the session file " + o.session;
      return false;
    }
  }
  const std::string* outputs[] = {&o.rib, &o.c_program, &o.ses, &o.png};
  for (int a = 0; a < 4; a++)
    for (int b = a + 1; b < 4; b++)
      if (same_file(*outputs[a], *outputs[b])) {
        error = "two outputs name the same file";
        return false;
      }
  return true;
}

std::string absolute(const std::string& path, const std::string& cwd) {
  if (path.empty() || path[0] == '/') return path;
  return cwd + "/" + path;
}

std::string current_directory() {
  char* cwd = getcwd(nullptr, 0);
  std::string path = cwd != nullptr ? cwd : "";
  std::free(cwd);
  return path;
}

// The session reader keeps the code section in "active.rcf" in the working
// directory. The tool reads in a private directory so that it never replaces
// the file of a modeller working in the user's directory.
bool make_scratch_directory(std::string& path, std::string& error) {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern =
      std::string(tmp != nullptr && tmp[0] != '\0' ? tmp : "/tmp") + "/silmod-export.XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (mkdtemp(name.data()) == nullptr) {
    error = "cannot make a scratch directory in " + pattern + ": " + std::strerror(errno);
    return false;
  }
  path = name.data();
  return true;
}

// Removes the scratch directory with what the export left in it: the code
// copy, and the temporary file of a write that was cut short.
void remove_scratch_directory(const std::string& path) {
  if (DIR* dir = opendir(path.c_str())) {
    while (const dirent* ent = readdir(dir)) {
      if (std::strcmp(ent->d_name, ".") != 0 && std::strcmp(ent->d_name, "..") != 0)
        unlink((path + "/" + ent->d_name).c_str());
    }
    closedir(dir);
  }
  if (rmdir(path.c_str()) != 0)
    std::fprintf(stderr, "silmod-export: cannot remove %s: %s\n", path.c_str(),
                 std::strerror(errno));
}

// Reads the session in the scratch directory and writes every output asked for.
int export_scene(const Options& o, const std::string& scratch) {
  if (chdir(scratch.c_str()) != 0) {
    std::fprintf(stderr, "silmod-export: cannot enter %s: %s\n", scratch.c_str(),
                 std::strerror(errno));
    return EXPORT_FAILED;
  }
  reset_scene();
  reset_code_table();
  reset_render();
  if (o.res != -1) res = o.res;
  if (o.view[0] != NO_VIEW) latitude = o.view[0], longitude = o.view[1], distance = o.view[2];
  wireframe = o.wireframe;  // the modeller starts in wireframe; a picture is solid unless asked
  if (!load_session(o.session.c_str())) return EXPORT_FAILED;

  // Drawn before anything is written, so that no output appears when there is no picture.
  std::vector<unsigned char> picture;
  const int width = o.width != -1 ? o.width : DEFAULT_WIDTH;
  const int height = o.height != -1 ? o.height : DEFAULT_HEIGHT;
  if (!o.png.empty() && !draw_picture(width, height, picture)) return EXPORT_FAILED;

  bool ok = true;
  if (!o.png.empty()) ok = write_png(o.png.c_str(), picture.data(), width, height) && ok;
  if (!o.rib.empty()) ok = write_rib(o.rib.c_str()) && ok;
  if (!o.c_program.empty()) ok = write_gl_program(o.c_program.c_str()) && ok;
  if (!o.ses.empty()) ok = save_session(o.ses.c_str()) && ok;
  return ok ? EXPORT_OK : EXPORT_FAILED;
}

// The export runs in a child process while this one waits, so that the
// scratch directory goes however the export ends: done, failed, aborted, or
// stopped by a signal. Signals that stop the tool are passed on to the child.
const int STOP_SIGNALS[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGXFSZ};
volatile sig_atomic_t export_child = 0;  // pid of the running export
volatile sig_atomic_t stop_signal = 0;   // the stopping signal this process got

extern "C" void pass_on_signal(int sig) {
  stop_signal = sig;
  // Nothing here writes files, so a file size signal can only be a request to stop.
  if (export_child > 0) kill(export_child, sig == SIGXFSZ ? SIGTERM : sig);
}

void set_stop_signals(sigset_t* set) {
  sigemptyset(set);
  for (int sig : STOP_SIGNALS) sigaddset(set, sig);
}

// Waits for the export child; its exit status, or the tool's own end.
int wait_for_export(pid_t child, const std::string& scratch, const sigset_t& old_mask) {
  export_child = child;
  struct sigaction act;
  std::memset(&act, 0, sizeof act);
  act.sa_handler = pass_on_signal;
  sigemptyset(&act.sa_mask);
  for (int sig : STOP_SIGNALS) {
    // A signal the caller set to be ignored (a background job) stays ignored.
    struct sigaction old;
    if (sigaction(sig, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
    sigaction(sig, &act, nullptr);
  }
  sigprocmask(SIG_SETMASK, &old_mask, nullptr);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  remove_scratch_directory(scratch);
  if (stop_signal != 0) {
    // Ended the way the signal asked, so that a calling script stops too.
    signal(stop_signal, SIG_DFL);
    raise(stop_signal);
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  std::fprintf(stderr, "silmod-export: the export ended on signal %d\n",
               WIFSIGNALED(status) ? WTERMSIG(status) : 0);
  return EXPORT_FAILED;
}

int usage_error(const std::string& error) {
  std::fprintf(stderr, "silmod-export: %s\n%s", error.c_str(), USAGE);
  return EXPORT_BAD_ARGS;
}

}  // namespace

int run_export_tool(int argc, char** argv) {
  Options o;
  std::string error;
  if (!parse_options(argc, argv, o, error)) return usage_error(error);
  if (o.help) {
    std::fputs(USAGE, stdout);
    std::fputs(HELP, stdout);
    return EXPORT_OK;
  }
  if (!check_outputs(o, error)) return usage_error(error);

  const std::string cwd = current_directory();
  if (cwd.empty()) {
    std::fprintf(stderr, "silmod-export: cannot tell the working directory: %s\n",
                 std::strerror(errno));
    return EXPORT_FAILED;
  }
  o.session = absolute(o.session, cwd);
  o.rib = absolute(o.rib, cwd);
  o.c_program = absolute(o.c_program, cwd);
  o.ses = absolute(o.ses, cwd);
  o.png = absolute(o.png, cwd);

  // The signals wait until the child exists and the handlers that pass
  // them on are in place.
  sigset_t stops, old_mask;
  set_stop_signals(&stops);
  sigprocmask(SIG_BLOCK, &stops, &old_mask);
  std::string scratch;
  if (!make_scratch_directory(scratch, error)) {
    sigprocmask(SIG_SETMASK, &old_mask, nullptr);
    std::fprintf(stderr, "silmod-export: %s\n", error.c_str());
    return EXPORT_FAILED;
  }
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    // A file size limit makes a write fail, reported like any other.
    signal(SIGXFSZ, SIG_IGN);
    sigprocmask(SIG_SETMASK, &old_mask, nullptr);
    return export_scene(o, scratch);
  }
  if (child < 0) {
    std::fprintf(stderr, "silmod-export: cannot start the export: %s\n", std::strerror(errno));
    sigprocmask(SIG_SETMASK, &old_mask, nullptr);
    remove_scratch_directory(scratch);
    return EXPORT_FAILED;
  }
  return wait_for_export(child, scratch, old_mask);
}
