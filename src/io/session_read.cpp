// Reading session files. The file is parsed into a scratch copy of every
// table it replaces; the scene changes only after the whole file was read
// and every value was found in range.
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "app/scene.h"
#include "io/code_table.h"
#include "io/file_util.h"
#include "io/session.h"

namespace {

struct SessionData {
  ObjectRecord records[MAX_RECORDS];  // records 0..last, the rest as the scene holds them
  int last = LAST_LIGHT;              // last_record of the file
  int lights[LIGHT_COUNT] = {};       // light switches
  int bindings[MAX_RECORDS] = {};     // code bindings, 0 without a trailer
  CodeEntry codes[MAX_CODES];         // code table built from the code section
  int code_count = 0;                 // entries the code section defined
  std::size_t code_start = 0;         // offset of the code section in the text
};

// Bounds of what a file may hold. Nothing the program makes comes near them,
// and every later operation (stepping, drawing, placing, writing) stays
// defined within them.
constexpr float MAX_FILE_NUMBER = 1.0e6f;  // size of any coordinate, scale or colour
constexpr long MAX_FILE_ANGLE = 1000000;   // degrees; stepping itself stops at 720
constexpr float MIN_INTENSITY = 0.001f;    // a smaller one but 0 overflows the slider's ratio
constexpr std::size_t MAX_NUMBER_BYTES = 64;  // longer tokens are not numbers of ours

// Whitespace-separated tokens of the file text, with the labels of the older
// layout skipped where they may stand, and the first fault remembered.
class SessionParser {
 public:
  explicit SessionParser(const std::string& text) : text_(text) {}

  const std::string& error() const { return error_; }
  std::size_t pos() const { return pos_; }

  bool at_end() {
    skip_blank();
    return pos_ >= text_.size();
  }

  // The next word, as its place in the text; a file that stops here ends early.
  bool word(const char*& start, std::size_t& size, const char* what) {
    skip_blank();
    if (pos_ >= text_.size()) return fail(std::string("file ends early, expected ") + what);
    const std::size_t from = pos_;
    while (pos_ < text_.size() && !is_blank(text_[pos_])) pos_++;
    start = text_.data() + from;
    size = pos_ - from;
    return true;
  }

  bool integer(int& out, const char* what, long lo, long hi) {
    std::string w;
    if (!number_word(w, what)) return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(w.c_str(), &end, 10);
    if (end != w.c_str() + w.size() || errno == ERANGE) return found(what, w);
    if (v < lo || v > hi) return out_of_range(what, std::to_string(lo), std::to_string(hi), w);
    out = static_cast<int>(v);
    return true;
  }

  bool number(float& out, const char* what, float lo = -MAX_FILE_NUMBER,
              float hi = MAX_FILE_NUMBER) {
    std::string w;
    if (!number_word(w, what)) return false;
    char* end = nullptr;
    const float v = std::strtof(w.c_str(), &end);
    if (end != w.c_str() + w.size() || !std::isfinite(v)) return found(what, w);
    if (v < lo || v > hi) return out_of_range(what, short_text(lo), short_text(hi), w);
    out = v;
    return true;
  }

  bool numbers(float* out, int n, const char* what) {
    for (int k = 0; k < n; k++)
      if (!number(out[k], what)) return false;
    return true;
  }

  // Takes the word if it is the next token.
  bool accept(const char* name) {
    skip_blank();
    const std::size_t n = std::strlen(name);
    if (text_.compare(pos_, n, name) != 0) return false;
    if (pos_ + n < text_.size() && !is_blank(text_[pos_ + n])) return false;
    pos_ += n;
    return true;
  }
  // A label of the older layout, skipped where it stands.
  void label(const char* name) { accept(name); }

  bool fail(const std::string& what) {
    if (error_.empty()) error_ = "line " + std::to_string(line_of(token_start_)) + ": " + what;
    return false;
  }
  bool found(const char* what, const std::string& w) {
    return fail(std::string("expected ") + what + ", found " + quoted(w));
  }
  bool out_of_range(const char* what, const std::string& lo, const std::string& hi,
                    const std::string& w) {
    return fail(std::string(what) + " out of range " + lo + ".." + hi + ": " + quoted(w));
  }

  // Past the rest of the current line when it is blank, so the next byte
  // starts a new line.
  void skip_line_end() {
    while (pos_ < text_.size() &&
           (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\r'))
      pos_++;
    if (pos_ < text_.size() && text_[pos_] == '\n') pos_++;
  }

 private:
  static bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
  }
  static std::string short_text(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
  }
  // The next word copied for conversion; one too long to be a number is
  // refused without copying it.
  bool number_word(std::string& w, const char* what) {
    const char* start = nullptr;
    std::size_t size = 0;
    if (!word(start, size, what)) return false;
    if (size > MAX_NUMBER_BYTES) return found(what, std::string(start, MAX_NUMBER_BYTES + 1));
    w.assign(start, size);
    return true;
  }
  void skip_blank() {
    while (pos_ < text_.size() && is_blank(text_[pos_])) pos_++;
    token_start_ = pos_;
  }
  int line_of(std::size_t at) const {
    int line = 1;
    for (std::size_t k = 0; k < at && k < text_.size(); k++)
      if (text_[k] == '\n') line++;
    return line;
  }

  const std::string& text_;
  std::size_t pos_ = 0;
  std::size_t token_start_ = 0;
  std::string error_;
};

bool parse_record(SessionParser& p, int version, int index, ObjectRecord& r) {
  const char* name = nullptr;
  std::size_t size = 0;
  if (!p.word(name, size, "a name")) return false;
  if (size > static_cast<std::size_t>(MAX_NAME_LEN))
    return p.fail("name longer than " + std::to_string(MAX_NAME_LEN) +
                  " characters: " + quoted(name, size));
  std::memset(r.name, 0, sizeof r.name);
  std::memcpy(r.name, name, size);

  // Objects are drawn and exported in orders 3 and 4 only; the light
  // records start with 0. The older layout had order 3 throughout.
  if (version > 0) {
    int knots = 0;
    if (index < FIRST_OBJECT) {
      if (!p.integer(r.order, "an order", 0, 4)) return false;
      if (r.order == 1 || r.order == 2) return p.fail("an order of a light must be 0, 3 or 4");
    } else if (!p.integer(r.order, "an order", 3, 4)) {
      return false;
    }
    if (!p.integer(knots, "a knot type", INT_MIN, INT_MAX)) return false;
    r.knots = knots != 0 ? 1 : 0;
  } else {
    r.order = 3;
    r.knots = 0;
  }
  if (!p.numbers(r.color, 4, "a colour value")) return false;
  p.label("color");
  if (!p.numbers(r.base, 2, "a base coordinate")) return false;
  p.label("base");
  if (!p.numbers(r.position, 4, "a position")) return false;
  p.label("position");
  for (int k = 0; k < 3; k++)
    if (!p.integer(r.angles[k], "an angle", -MAX_FILE_ANGLE, MAX_FILE_ANGLE)) return false;
  p.label("angles");
  if (!p.numbers(r.scales, 3, "a scale")) return false;
  p.label("scales");
  if (!p.integer(r.surfacetype, "a surface type", 0, TYPE_COUNT - 1)) return false;
  p.label("surfacetype");
  if (!p.numbers(r.pick, 2, "a pick coordinate")) return false;
  if (!p.number(r.intensity, "an intensity", 0.0f, 1.0f)) return false;
  if (r.intensity > 0.0f && r.intensity < MIN_INTENSITY)
    return p.fail("an intensity must be 0 or at least 0.001");
  if (!p.number(r.shine, "a shininess", 0.0f, 1.0f)) return false;
  p.label("shine");
  if (!p.integer(r.silend, "a last point index", -1, MAX_SIL_POINTS - 1)) return false;
  for (int k = 0; k <= r.silend; k++) {
    if (!p.numbers(r.silpix[k], 2, "a silhouette point")) return false;
    if (!p.numbers(r.sil[k], 2, "a silhouette point")) return false;
  }
  return true;
}

// Everything before the code section: header, records and bindings.
bool parse_tables(SessionParser& p, SessionData& d) {
  int version = 0;
  if (p.accept("version") && !p.integer(version, "a version number", INT_MIN, INT_MAX))
    return false;
  if (!p.integer(d.last, "the last record index", LAST_LIGHT, LAST_INDEX)) return false;
  p.label("surfaces");
  for (int i = 0; i < LIGHT_COUNT; i++)
    if (!p.integer(d.lights[i], "a light switch", 0, 1)) return false;
  for (int i = 0; i <= d.last; i++)
    if (!parse_record(p, version, i, d.records[i])) return false;

  // A file saved without code ends here; otherwise all bindings follow.
  if (p.at_end()) {
    d.code_start = p.pos();
    return true;
  }
  for (int i = 0; i < MAX_RECORDS; i++)
    if (!p.integer(d.bindings[i], "a code binding", 0, MAX_CODES - 1)) return false;
  // The blank rest of the bindings' last line is not part of the code.
  p.skip_line_end();
  d.code_start = p.pos();
  return true;
}

// Puts the code section into "active.rcf", which becomes the current code
// file. Where that file cannot be written (a read-only directory) the
// session still loads: path comes back empty and the entries live on in the
// table, from which the next save writes its trailer.
void write_active_code(const std::string& text, std::size_t start, char* path) {
  std::string why = "path too long";
  if (absolute_path(ACTIVE_CODE_FILE, path, CODE_FILE_SIZE)) {
    ReplacingFile out;
    if (out.open(path, why, LinkPolicy::REPLACE)) {
      std::fwrite(text.data() + start, 1, text.size() - start, out.file());
      if (out.commit(why)) return;
    }
  }
  std::fprintf(stderr, "%s: %s; the code entries are kept in memory only\n", ACTIVE_CODE_FILE,
               why.c_str());
  path[0] = '\0';
}

void commit(const SessionData& d, const char* active_path) {
  for (int i = 0; i <= d.last; i++) ObjectTable[i] = d.records[i];
  last_record = d.last;
  for (int i = 0; i < LIGHT_COUNT; i++) light_on[i] = d.lights[i];
  for (int i = 1; i < LIGHT_COUNT; i++) light_positional[i] = ObjectTable[i].position[3] != 0.0f;
  for (int i = 0; i < MAX_RECORDS; i++) CodeBindingTable[i] = d.bindings[i];
  for (int k = 1; k < MAX_CODES; k++) CodeTable[k] = d.codes[k];
  code_count = d.code_count;
  std::memcpy(code_file, active_path, std::strlen(active_path) + 1);
  current_record = last_record;
  load_edit_buffer();
}

}  // namespace

bool load_session(const char* file_name) {
  const std::string name = printable(file_name);
  try {
    std::string text, why;
    if (!read_whole_file(file_name ? file_name : "", text, why) || holds_zero_byte(text, why)) {
      std::fprintf(stderr, "%s: %s\n", name.c_str(), why.c_str());
      return false;
    }
    // The scratch starts as the scene, so that records above the file's last
    // one and points above a record's last point keep what they hold.
    auto d = std::make_unique<SessionData>();
    for (int i = 0; i < MAX_RECORDS; i++) d->records[i] = ObjectTable[i];
    SessionParser p(text);
    if (!parse_tables(p, *d)) {
      std::fprintf(stderr, "%s: %s\n", name.c_str(), p.error().c_str());
      return false;
    }
    d->codes[0] = CodeTable[0];
    clear_code_table(d->codes);
    d->code_count =
        parse_code_text(text.data() + d->code_start, text.size() - d->code_start, d->codes);
    char active[CODE_FILE_SIZE];
    write_active_code(text, d->code_start, active);
    commit(*d, active);
    return true;
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "%s: out of memory\n", name.c_str());
    return false;
  }
}
