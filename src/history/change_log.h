// A log of the changes made to a set of fixed-size memory regions, for undo
// and redo. After each event the regions are compared, piece by piece, with a
// copy of what they held when last recorded (the present state); the pieces
// that differ become one step, stored as the exclusive-or of old and new bytes
// with the unchanged runs left out. A step therefore costs about what it
// changed, and the same bytes take the state back (undo) and forth (redo).
// Besides the regions, each state carries one text that lives outside memory
// (the content of a file), stored whole and shared between steps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

using SharedText = std::shared_ptr<const std::string>;

// Whether two texts are the same: both absent, or equal in content.
bool same_text(const SharedText& a, const SharedText& b);

class ChangeLog {
 public:
  // Watches size bytes at data, compared and stored in pieces of at most
  // piece bytes (at most 65535). Changes to a selection region alone make no
  // step: the present state takes them in, so that going back to it later
  // restores them. Returns the region's number.
  int track(void* data, std::size_t size, std::size_t piece, bool selection = false);
  // At most max_steps steps and max_bytes bytes of steps; the oldest go first,
  // but the newest step is always kept.
  void set_limits(std::size_t max_steps, std::size_t max_bytes);
  // Forgets every step; what the regions hold now, with text, is the present state.
  void restart(SharedText text);

  // Compares the regions and text with the present state and makes what
  // differs a step; the steps that could be redone are dropped. A change of
  // selection regions alone is folded into the steps around the present
  // state instead. A change with merge_key 0 or more joins the last step when
  // that step was recorded just before with the same key.
  void record(const SharedText& text, int merge_key = -1);
  // Goes one step back or forth, writing the regions; false when there is none.
  bool undo();
  bool redo();

  // Whether, since the present state, the regions changed nowhere but in the
  // bytes [offset, offset + length) of each piece of the given region.
  bool changed_only_within(int region, std::size_t offset, std::size_t length) const;

  const SharedText& text() const { return text_; }  // text of the present state
  std::size_t undo_steps() const { return pos_; }
  std::size_t redo_steps() const { return steps_.size() - pos_; }
  std::size_t bytes() const { return bytes_; }  // memory held by the steps

 private:
  struct Piece {
    unsigned char* live;      // the watched bytes
    std::size_t size;         // their number
    std::size_t saved;        // offset of their copy in saved_
    int region;               // region the piece belongs to
    bool selection;           // part of a selection region
  };
  struct Delta {
    std::uint32_t piece;               // which piece
    std::vector<unsigned char> runs;   // exclusive-or of old and new, see encode()
  };
  struct Step {
    std::vector<Delta> deltas;  // one per changed piece
    bool text_changed = false;  // the text differs between the two states
    SharedText text_before;     // text of the state before the step
    SharedText text_after;      // text of the state after it
    std::size_t bytes = 0;      // memory it holds
  };

  bool differs(const Piece& p) const;
  Step take_changes(const std::vector<std::uint32_t>& changed);
  void fold(Step& into, const Step& from);
  void apply(const Step& s);
  void weigh(Step& s) const;
  void drop_oldest();

  std::vector<Piece> pieces_;
  std::vector<unsigned char> saved_;  // the regions as in the present state
  std::vector<unsigned char> scratch_;
  int regions_ = 0;
  SharedText text_;
  std::deque<Step> steps_;
  std::size_t pos_ = 0;  // steps applied: steps_[pos_ - 1] led to the present state
  std::size_t bytes_ = 0;
  std::size_t max_steps_ = SIZE_MAX;
  std::size_t max_bytes_ = SIZE_MAX;
  int open_key_ = -1;  // merge key of the last step while it may still be extended
};
