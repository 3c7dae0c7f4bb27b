#include "history/change_log.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::size_t MAX_PIECE = 0xffff;  // run lengths are stored in two bytes
// Fewer equal bytes than this inside a changed stretch stay in its run: a new
// run would cost its four header bytes.
constexpr std::size_t MIN_GAP = 5;

void put16(std::vector<unsigned char>& out, std::size_t v) {
  out.push_back(static_cast<unsigned char>(v & 0xff));
  out.push_back(static_cast<unsigned char>(v >> 8));
}

std::size_t get16(const std::vector<unsigned char>& in, std::size_t k) {
  return in[k] | static_cast<std::size_t>(in[k + 1]) << 8;
}

// The non-zero stretches of x as runs: two bytes with the number of zero
// bytes before the run, two with the run's length, then its bytes. Zeros at
// the end are left out, so an all-zero x gives no runs at all.
void encode(const unsigned char* x, std::size_t n, std::vector<unsigned char>& out) {
  out.clear();
  std::size_t i = 0, last = 0;
  while (i < n) {
    while (i < n && x[i] == 0) i++;
    if (i == n) break;
    const std::size_t start = i;
    std::size_t end = i;
    while (end < n) {
      if (x[end] != 0) {
        end++;
        continue;
      }
      std::size_t z = end;
      while (z < n && x[z] == 0 && z - end < MIN_GAP) z++;
      if (z == n || x[z] == 0) break;
      end = z;
    }
    put16(out, start - last);
    put16(out, end - start);
    out.insert(out.end(), x + start, x + end);
    last = i = end;
  }
}

// Exclusive-or of the runs into the n bytes at dst.
void apply_runs(const std::vector<unsigned char>& runs, unsigned char* dst, std::size_t n) {
  std::size_t at = 0, k = 0;
  while (k + 4 <= runs.size()) {
    const std::size_t skip = get16(runs, k), len = get16(runs, k + 2);
    k += 4;
    at += skip;
    if (at + len > n || k + len > runs.size()) return;
    for (std::size_t j = 0; j < len; j++) dst[at + j] ^= runs[k + j];
    at += len;
    k += len;
  }
}

}  // namespace

bool same_text(const SharedText& a, const SharedText& b) {
  if (a == b) return true;
  return a && b && *a == *b;
}

int ChangeLog::track(void* data, std::size_t size, std::size_t piece, bool selection) {
  piece = std::min(std::max<std::size_t>(piece, 1), MAX_PIECE);
  auto* bytes = static_cast<unsigned char*>(data);
  for (std::size_t off = 0; off < size; off += piece) {
    const std::size_t n = std::min(piece, size - off);
    pieces_.push_back({bytes + off, n, saved_.size(), regions_, selection});
    saved_.insert(saved_.end(), bytes + off, bytes + off + n);
  }
  scratch_.resize(std::max(scratch_.size(), std::min(piece, size)));
  return regions_++;
}

void ChangeLog::set_limits(std::size_t max_steps, std::size_t max_bytes) {
  max_steps_ = std::max<std::size_t>(max_steps, 1);
  max_bytes_ = max_bytes;
  drop_oldest();
}

void ChangeLog::restart(SharedText text) {
  for (const Piece& p : pieces_) std::memcpy(&saved_[p.saved], p.live, p.size);
  steps_.clear();
  pos_ = 0;
  bytes_ = 0;
  text_ = std::move(text);
  open_key_ = -1;
}

bool ChangeLog::differs(const Piece& p) const {
  return std::memcmp(p.live, &saved_[p.saved], p.size) != 0;
}

// The changed pieces as deltas; the present state takes their new content.
ChangeLog::Step ChangeLog::take_changes(const std::vector<std::uint32_t>& changed) {
  Step s;
  for (std::uint32_t k : changed) {
    const Piece& p = pieces_[k];
    unsigned char* old = &saved_[p.saved];
    for (std::size_t j = 0; j < p.size; j++) scratch_[j] = old[j] ^ p.live[j];
    Delta d{k, {}};
    encode(scratch_.data(), p.size, d.runs);
    d.runs.shrink_to_fit();
    s.deltas.push_back(std::move(d));
    std::memcpy(old, p.live, p.size);
  }
  return s;
}

// Makes into lead to where from leads: the two deltas of a piece combine by
// exclusive-or, and a piece whose changes cancel out is dropped.
void ChangeLog::fold(Step& into, const Step& from) {
  bytes_ -= into.bytes;
  for (const Delta& d : from.deltas) {
    auto it = std::find_if(into.deltas.begin(), into.deltas.end(),
                           [&](const Delta& e) { return e.piece == d.piece; });
    if (it == into.deltas.end()) {
      into.deltas.push_back(d);
      continue;
    }
    const std::size_t n = pieces_[d.piece].size;
    std::fill_n(scratch_.begin(), n, 0);
    apply_runs(it->runs, scratch_.data(), n);
    apply_runs(d.runs, scratch_.data(), n);
    encode(scratch_.data(), n, it->runs);
    it->runs.shrink_to_fit();
    if (it->runs.empty()) into.deltas.erase(it);
  }
  weigh(into);
  bytes_ += into.bytes;
}

void ChangeLog::apply(const Step& s) {
  for (const Delta& d : s.deltas) {
    const Piece& p = pieces_[d.piece];
    apply_runs(d.runs, &saved_[p.saved], p.size);
    std::memcpy(p.live, &saved_[p.saved], p.size);
  }
}

void ChangeLog::weigh(Step& s) const {
  s.bytes = sizeof(Step) + s.deltas.capacity() * sizeof(Delta);
  for (const Delta& d : s.deltas) s.bytes += d.runs.capacity();
  if (s.text_changed) {
    if (s.text_before) s.bytes += s.text_before->size();
    if (s.text_after) s.bytes += s.text_after->size();
  }
}

// Only steps already applied can go: the present state does not need them.
void ChangeLog::drop_oldest() {
  while (steps_.size() > 1 && pos_ > 0 && (steps_.size() > max_steps_ || bytes_ > max_bytes_)) {
    bytes_ -= steps_.front().bytes;
    steps_.pop_front();
    pos_--;
  }
}

void ChangeLog::record(const SharedText& text, int merge_key) {
  std::vector<std::uint32_t> changed;
  bool substantive = false;
  for (std::uint32_t k = 0; k < pieces_.size(); k++) {
    if (!differs(pieces_[k])) continue;
    changed.push_back(k);
    substantive = substantive || !pieces_[k].selection;
  }
  const bool text_changed = !same_text(text, text_);
  if (changed.empty() && !text_changed) return;

  Step s = take_changes(changed);
  const int open_key = open_key_;
  open_key_ = -1;
  if (!substantive && !text_changed) {
    // The present state changes under both of its neighbours.
    if (pos_ > 0) fold(steps_[pos_ - 1], s);
    if (pos_ < steps_.size()) fold(steps_[pos_], s);
    return;
  }
  if (merge_key >= 0 && merge_key == open_key && !text_changed &&
      pos_ == steps_.size() && pos_ > 0) {
    fold(steps_.back(), s);
    if (steps_.back().deltas.empty() && !steps_.back().text_changed) {
      // Typed and taken back to what it was: no step is left.
      bytes_ -= steps_.back().bytes;
      steps_.pop_back();
      pos_--;
      merge_key = -1;
    }
  } else {
    while (steps_.size() > pos_) {
      bytes_ -= steps_.back().bytes;
      steps_.pop_back();
    }
    if (text_changed) {
      s.text_changed = true;
      s.text_before = text_;
      s.text_after = text;
      text_ = text;
    }
    weigh(s);
    bytes_ += s.bytes;
    steps_.push_back(std::move(s));
    pos_ = steps_.size();
  }
  open_key_ = merge_key;
  drop_oldest();
}

bool ChangeLog::undo() {
  if (pos_ == 0) return false;
  const Step& s = steps_[pos_ - 1];
  apply(s);
  if (s.text_changed) text_ = s.text_before;
  pos_--;
  open_key_ = -1;
  return true;
}

bool ChangeLog::redo() {
  if (pos_ == steps_.size()) return false;
  const Step& s = steps_[pos_];
  apply(s);
  if (s.text_changed) text_ = s.text_after;
  pos_++;
  open_key_ = -1;
  return true;
}

bool ChangeLog::changed_only_within(int region, std::size_t offset, std::size_t length) const {
  for (const Piece& p : pieces_) {
    if (p.region != region) {
      if (differs(p)) return false;
      continue;
    }
    const unsigned char* old = &saved_[p.saved];
    const std::size_t lo = std::min(offset, p.size), hi = std::min(offset + length, p.size);
    if (std::memcmp(p.live, old, lo) != 0 || std::memcmp(p.live + hi, old + hi, p.size - hi) != 0)
      return false;
  }
  return true;
}
