// Panel geometry stated once: each panel keeps a table of cells (name, what
// the cell edits, hit rectangle in mouse coordinates, text position) that
// both its drawing and its click handler read. Mouse coordinates are whole
// pixels, y down from the top; every bound a panel states (strict or not,
// open on one side) becomes an integer range with both ends included.
#pragma once

#include <climits>
#include <cstring>
#include <iterator>

// The whole numbers lo..hi, both included; INT_MIN or INT_MAX leaves a side open.
struct Span {
  int lo, hi;
  constexpr bool contains(int v) const { return v >= lo && v <= hi; }
};

constexpr Span open_range(int a, int b) { return {a + 1, b - 1}; }  // a < v < b
constexpr Span closed_range(int a, int b) { return {a, b}; }        // a <= v <= b
constexpr Span half_open(int a, int b) { return {a, b - 1}; }       // a <= v < b
constexpr Span less_than(int b) { return {INT_MIN, b - 1}; }        // v < b
constexpr Span at_most(int b) { return {INT_MIN, b}; }              // v <= b
constexpr Span greater_than(int a) { return {a + 1, INT_MAX}; }     // v > a
constexpr Span at_least(int a) { return {a, INT_MAX}; }             // v >= a
constexpr Span any_value() { return {INT_MIN, INT_MAX}; }

// A rectangle of mouse coordinates.
struct HitRect {
  Span x, y;
  constexpr bool contains(int px, int py) const { return x.contains(px) && y.contains(py); }
};
constexpr HitRect NO_HIT = {{1, 0}, {1, 0}};  // for cells that only show a text

// Rows of one height repeated downward from top: row k holds the y from
// top + k * height to top + (k + 1) * height - 1 (k is negative above top).
struct RowBand {
  int top, height;
  constexpr int row_at(int y) const {
    const int d = y - top;
    return d >= 0 ? d / height : -((height - 1 - d) / height);
  }
  constexpr Span row(int k) const { return half_open(top + k * height, top + (k + 1) * height); }
};

// For what a cell does not have: a code beyond its kind, a text of its own.
constexpr int NO_CODE = 0;
constexpr float NO_TEXT = 0;

// One control of a panel whose place does not depend on the window size.
struct Cell {
  const char* name;   // what names it: its label, with its row where labels repeat
  const char* label;  // the text drawn; null where the panel's state chooses it
  int kind;           // what sort of control, in the panel's own codes
  int code;           // what it edits: a field, a type, a value
  HitRect hit;        // mouse coordinates as the panel's click handler gets them
  float text_x;       // start of its text's baseline: x from the panel's left edge
  float text_d;       //   and d pixels below the panel's top edge
};

// A panel's table of cells and the click handler that reads it. Where rows
// repeat (lights, list entries), the cells describe the first row, and row k
// lies k rows below it.
template <class C>
struct Layout {
  const C* cells;
  int count;
  void (*click)(int button, int state, int x, int y);
  RowBand rows;
  const C* begin() const { return cells; }
  const C* end() const { return cells + count; }
};
template <class C, int N>
constexpr Layout<C> layout_of(const C (&cells)[N], void (*click)(int, int, int, int),
                              RowBand rows = {0, 1}) {
  return {cells, N, click, rows};
}

// The first cell of a table that holds the point, or null; with kind >= 0
// only cells of that kind count.
template <class Table>
auto cell_at(const Table& cells, int x, int y, int kind = -1) -> decltype(&*std::begin(cells)) {
  for (const auto& c : cells)
    if ((kind < 0 || c.kind == kind) && c.hit.contains(x, y)) return &c;
  return nullptr;
}

// The first cell of that kind, or null.
template <class Table>
auto cell_of_kind(const Table& cells, int kind) -> decltype(&*std::begin(cells)) {
  for (const auto& c : cells)
    if (c.kind == kind) return &c;
  return nullptr;
}

// The cell of that name, or null.
template <class Table>
auto cell_named(const Table& cells, const char* name) -> decltype(&*std::begin(cells)) {
  for (const auto& c : cells)
    if (std::strcmp(c.name, name) == 0) return &c;
  return nullptr;
}

// --- Geometry that follows the window size -------------------------------------

// Where a window coordinate is counted from: its left (top) edge, its middle
// (the integer half of the size) or its right (bottom) edge.
enum Anchor { FROM_START, FROM_MIDDLE, FROM_END };

constexpr int anchor_at(Anchor a, int size) {
  return a == FROM_START ? 0 : a == FROM_MIDDLE ? size / 2 : size;
}

// A span whose ends are offsets from anchors; open ends stay open.
struct AnchoredSpan {
  Anchor lo_from, hi_from;
  Span offsets;
  constexpr Span at(int size) const {
    return {offsets.lo == INT_MIN ? INT_MIN : offsets.lo + anchor_at(lo_from, size),
            offsets.hi == INT_MAX ? INT_MAX : offsets.hi + anchor_at(hi_from, size)};
  }
};
constexpr AnchoredSpan from_start(Span s) { return {FROM_START, FROM_START, s}; }
constexpr AnchoredSpan from_middle(Span s) { return {FROM_MIDDLE, FROM_MIDDLE, s}; }
constexpr AnchoredSpan from_end(Span s) { return {FROM_END, FROM_END, s}; }

// A rectangle of mouse coordinates in a window of some size.
struct AnchoredRect {
  AnchoredSpan x, y;
  constexpr HitRect at(int width, int height) const { return {x.at(width), y.at(height)}; }
};

// A cell whose place follows the window size: its hit rectangle in window
// mouse coordinates; its text x and d from its panel's origin (for the top
// bar, the middle of the window's top edge).
struct WindowCell {
  const char* name;
  int kind;
  int code;  // what it edits or does, in the panel's own codes
  AnchoredRect hit;
  float text_x;
  float text_d;
};

// The first cell that holds the point in a window of w by h pixels, or null;
// with kind >= 0 only cells of that kind count.
template <class Table>
auto cell_at(const Table& cells, int x, int y, int w, int h, int kind)
    -> decltype(&*std::begin(cells)) {
  for (const auto& c : cells)
    if ((kind < 0 || c.kind == kind) && c.hit.at(w, h).contains(x, y)) return &c;
  return nullptr;
}
