// Undo and redo through the callbacks both windows register, checked by the
// session text a save writes before and after each kind of action.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "browser/browser.h"
#include "history/history.h"
#include "io/session.h"
#include "main/events.h"
#include "main/startup.h"
#include "panels/overlay.h"
#include "support/persist_util.h"

constexpr unsigned char CTRL_Y = 25, CTRL_Z = 26;
constexpr int YES_X = 260, RIGHT_X = 330, ANSWER_Y = 235;  // dialog answers in 600 x 500

static std::string session_text() {
  char* buf = nullptr;
  size_t size = 0;
  FILE* f = open_memstream(&buf, &size);
  write_session(f);
  std::fclose(f);
  std::string text(buf, size);
  std::free(buf);
  return text;
}
static void key(unsigned char k, bool shift = false) { on_display_key(k, 0, 0, shift); }
static void type(const std::string& keys) {
  for (char k : keys) key(static_cast<unsigned char>(k));
}
static void click(int x, int y, int button = 0) {
  on_display_mouse(button, 0, x, y), on_display_mouse(button, 1, x, y);
}
static void misc(int entry) { misc_menu_open = 1, click(200, 20 * entry); }
static void curves_click(int x, int y) { on_curves_mouse(0, 0, x, y), on_curves_mouse(0, 1, x, y); }

// Records 6 (a box) and 7 (a revolution of three points, current), two
// shader code entries loaded, in a 600 x 500 window; nothing to undo yet.
struct Undo : ScratchDir {
  void SetUp() override {
    ScratchDir::SetUp();
    base();
  }
  void base() {
    reset_all();
    win_width = 600, win_height = 500;
    load_codes("*shader one\nSurface \"matte\"\n*end\n*shader two\nSurface \"metal\"\n*end\n");
    add_object(TYPE_BOX);
    add_object(TYPE_REVOLUTION, {{1, 0}, {2, 1}, {1, 2}});
    ObjectTable[7].color[0] = 0.2f;
    load_edit_buffer();
    reset_history();
  }
};

TEST_F(Undo, EachKindOfActionIsOneStepBackAndForth) {
  const std::pair<const char*, std::function<void()>> actions[] = {
      {"type button", [] { click(90, 10); }},
      {"extrusion choice", [] { click(90, 25), click(RIGHT_X, ANSWER_Y); }},
      {"delete key and answer", [] { key(127), click(YES_X, ANSWER_Y); }},
      {"copy 6, paste onto 7", [] { click(540, 292), misc(4), click(540, 307), misc(5); }},
      {"light switch", [] { click(515, 85); }},
      {"code binding", [] { click(525, 150), click(100, 45); }},
      {"unbind all", [] { click(551, 141), click(YES_X, ANSWER_Y); }},
      {"curve point", [] { curves_click(150, 150); }},
      {"F1", [] { on_display_special(1, 0, 0); }},
      {"Insert", [] { on_display_special(108, 0, 0); }},
      {"renaming", [] { type("\b\bxyz"); }},
  };
  for (const auto& [what, act] : actions) {
    base();
    const std::string before = session_text();
    act();
    const std::string after = session_text();
    ASSERT_NE(after, before) << what;
    EXPECT_EQ(undo_depth(), 1u) << what;
    key(CTRL_Z);
    EXPECT_EQ(session_text(), before) << what;
    EXPECT_EQ(current_record, 7) << what;
    EXPECT_EQ(edit_color[0], 51) << what;  // the edit buffer follows the record
    key(what[0] == 'F' ? CTRL_Y : CTRL_Z, true);
    EXPECT_EQ(session_text(), after) << what;
    on_curves_key(CTRL_Z, false);  // the "curves" window takes the keys too
    EXPECT_EQ(session_text(), before) << what;
    on_display_special(3, 0, 0);  // F3, a new change: nothing left to redo
    EXPECT_EQ(redo_depth(), 0u) << what;
  }
}

TEST_F(Undo, NothingToUndoRightAfterStartUp) {
  reset_all();
  const std::string start = session_text();
  on_display_special(105, 0, 0);  // Page Down: no step
  key(CTRL_Z), key(CTRL_Y);
  EXPECT_EQ(session_text(), start);
  EXPECT_EQ(current_record, 5);
  EXPECT_EQ(list_first, 7);
}

TEST_F(Undo, KeystrokesRenamingOneRecordAreOneStep) {
  type("x\b");  // typed and taken back: no step is left
  EXPECT_EQ(undo_depth(), 0u);
  EXPECT_EQ(redo_depth(), 0u);
  type("\b\b\b\b\b\b\b\b\b\bpot");
  const size_t held = history_bytes();
  type("/.");  // the eye moves: no step, and the name goes on
  type("s_and_pans");
  EXPECT_EQ(undo_depth(), 1u);
  EXPECT_GT(history_bytes(), held) << "the longer name is counted";
  click(540, 292), click(540, 307);  // record 6 and back to 7 end the run
  type("\b");
  EXPECT_EQ(undo_depth(), 2u);
  key(CTRL_Z);
  EXPECT_STREQ(ObjectTable[7].name, "pots_and_pans");
  key(CTRL_Z);
  EXPECT_STREQ(ObjectTable[7].name, "revolution");
}

TEST_F(Undo, MarksAndModeAreStepsChoosingTheCurrentRecordIsNot) {
  click(481, 292);  // mark record 6
  click(540, 292);  // current record 6
  click(520, 277);  // cluster mode
  EXPECT_EQ(undo_depth(), 2u);
  key(CTRL_Z);  // each state comes back with the record current when it was left
  EXPECT_EQ(cluster_mode, 0);
  EXPECT_EQ(current_record, 6);
  key(CTRL_Z);
  EXPECT_EQ(ClusterTable[6], 0);
  EXPECT_EQ(current_record, 7);
  click(540, 292);  // record 6 again, then forth
  key(CTRL_Y, true);
  key(CTRL_Y);
  EXPECT_EQ(ClusterTable[6], 1);
  EXPECT_EQ(cluster_mode, 1);
  EXPECT_EQ(current_record, 6);
}

TEST_F(Undo, AWaitingDialogHoldsTheKeysAndTheListShowsTheCurrentRecord) {
  for (int i = 0; i < 20; i++) on_display_special(108, 0, 0);  // Insert: records 8..27
  EXPECT_EQ(list_first, 14);
  key(127);
  key(CTRL_Z);
  EXPECT_EQ(last_record, 27);
  click(RIGHT_X, ANSWER_Y);  // "no"
  misc(2), click(YES_X, ANSWER_Y);
  for (int i = 0; i < 10; i++) on_display_special(104, 0, 0);  // Page Up to the start
  key(CTRL_Z);  // all back, the list down to the current record 27
  EXPECT_EQ(list_first, 14);
  for (int i = 0; i < 30; i++) on_display_special(105, 0, 0);  // Page Down past the end
  key(CTRL_Z);  // record 27 goes: the list ends at the current record 26
  EXPECT_EQ(list_first, 13);
  key(CTRL_Z);  // the current record 25 is in view: the list stays
  EXPECT_EQ(list_first, 13);
}

// An "i/o menu" entry (2 "load session", 6 "load RIB code file"), the name
// typed over the proposed one and the field double-clicked; then "close".
static void load_through_browser(int entry, const std::string& name) {
  io_menu_open = 1, click(349, 20 * entry - 10);
  update_listing();  // as the browser's frame does
  type(std::string(20, '\b') + name);
  click(400, 38), click(400, 38), click(450, 70);
}

TEST_F(Undo, SessionLoadsAreStepsAndTheirCodeSectionComesBack) {
  ASSERT_TRUE(save_session("a.ses"));
  // b.ses: another light switch, and a line before the first entry that the
  // code table does not keep but a save copies.
  std::string b = read_file("a.ses");
  b.replace(b.find(" 0  0 \n"), 7, " 1  0 \n");
  b.insert(b.find("*shader"), "# from b\n");
  write_file("b.ses", b);
  load_through_browser(2, "a.ses");
  const std::string after_a = session_text();
  load_through_browser(2, "b");
  EXPECT_EQ(session_text(), b);
  key(CTRL_Z);
  EXPECT_EQ(session_text(), after_a);
  key(CTRL_Z, true);
  EXPECT_EQ(session_text(), b);
  fs::remove("active.rcf");  // removed by hand: the next event records that
  on_display_motion(0, 0);
  key(CTRL_Z);
  EXPECT_EQ(session_text(), b);
  key(CTRL_Y);  // the copy is left as it is
  EXPECT_EQ(session_text(), b);
  write_file("mine.rcf", "*shader mine\nSurface \"mine\"\n*end\n");
  load_through_browser(6, "mine.rcf");
  EXPECT_EQ(code_count, 1);
  write_file("mine.rcf", "changed by hand");
  key(CTRL_Z);  // back to the session's code section; the user's file is left alone
  EXPECT_EQ(session_text(), b);
  key(CTRL_Y);
  EXPECT_EQ(read_file("mine.rcf"), "changed by hand");
  EXPECT_EQ(undo_depth(), 4u);
}

TEST_F(Undo, OldestStepsGoBeyondTheDepthAndMemoryCaps) {
  for (int i = 0; i < 1001; i++) on_display_special(1 + i % 2, 0, 0);  // F1, F2: angle +10, -10
  EXPECT_EQ(undo_depth(), 1000u);
  set_history_limits(101, HISTORY_MAX_BYTES);
  on_display_special(1, 0, 0);
  EXPECT_EQ(undo_depth(), 101u);
  while (undo_depth() > 0) key(CTRL_Z);
  EXPECT_EQ(ObjectTable[7].angles[0], 10) << "after step 901";
  const size_t step = history_bytes() / (redo_depth() ? redo_depth() : 1);
  set_history_limits(1000, 10 * step);
  EXPECT_EQ(redo_depth(), 101u) << "only steps done can go";
  for (int i = 0; i < 20; i++) click(120, 50);  // rotation z: armed, then 19 steps
  EXPECT_LE(history_bytes(), 10 * step);
  EXPECT_GE(undo_depth(), 5u);
  set_history_limits(1000, 1);
  EXPECT_EQ(undo_depth(), 1u) << "the newest step stays";
}
