// Clicks on a panel's cells by name, through the panel's own layout table
// and click handler, at the window size of the moment.
#pragma once

#include <gtest/gtest.h>

#include <utility>

#include "app/window.h"
#include "draw2d/layout.h"

// A point of a span: its middle, or 5 pixels inside its bound when one side is open.
inline int inside(Span s) {
  if (s.lo == INT_MIN && s.hi == INT_MAX) return 0;
  if (s.lo == INT_MIN) return s.hi - 5;
  if (s.hi == INT_MAX) return s.lo + 5;
  return s.lo + (s.hi - s.lo) / 2;
}
inline HitRect hit_now(const HitRect& r) { return r; }
inline HitRect hit_now(const AnchoredRect& r) { return r.at(win_width, win_height); }

// Where a click on the named cell goes, in row `row` of a panel whose rows repeat.
template <class C>
std::pair<int, int> cell_point(const Layout<C>& layout, const char* name, int row = 0) {
  const C* c = cell_named(layout, name);
  if (!c) {
    ADD_FAILURE() << "no cell named " << name;
    return {INT_MIN / 2, INT_MIN / 2};
  }
  const HitRect r = hit_now(c->hit);
  return {inside(r.x), inside(r.y) + row * layout.rows.height};
}

// Presses, releases, or presses and releases a button on the named cell.
template <class C>
void press_cell(const Layout<C>& layout, const char* name, int button = 0, int row = 0) {
  const auto [x, y] = cell_point(layout, name, row);
  layout.click(button, 0, x, y);
}
template <class C>
void release_cell(const Layout<C>& layout, const char* name, int button = 0, int row = 0) {
  const auto [x, y] = cell_point(layout, name, row);
  layout.click(button, 1, x, y);
}
template <class C>
void click_cell(const Layout<C>& layout, const char* name, int button = 0, int row = 0) {
  press_cell(layout, name, button, row);
  release_cell(layout, name, button, row);
}
