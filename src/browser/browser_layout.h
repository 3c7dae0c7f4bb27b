// Where the file browser's controls lie. It takes the right half of the
// "display" window: hit rectangles are in window mouse coordinates (x mostly
// from the window's middle), texts from the browser's top-left corner.
#pragma once

#include "draw2d/layout.h"

enum BrowserCellKind {
  BROWSER_FIELD,          // the name field: a double press confirms a typed name
  BROWSER_FIRST,          // "UpDir", or " OK " in the home mode
  BROWSER_CLOSE,          // "close"
  BROWSER_HOME,           // " home "
  BROWSER_FIRST_RELEASE,  // a release here shows "UpDir" (" OK ") raised again
  BROWSER_HOME_RELEASE,   // the same for " home "
  BROWSER_ROWS,           // the listing
  BROWSER_YES,            // " yes" of the overwrite question
  BROWSER_NO,             // " no"
  BROWSER_OK,             // "ok" of a notice
};
extern const Layout<WindowCell> browser_layout;
// The listing's rows: row k shows entry list_top + k, its text 12 pixels
// below the row's top.
constexpr RowBand BROWSER_ROWS_BAND = {93, 15};
