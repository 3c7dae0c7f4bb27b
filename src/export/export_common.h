// What both exporters derive from a record: whether its silhouette can be
// written at all, whether it is closed, and the shader code bound to it.
#pragma once

#include <cstdio>

#include "app/scene.h"
#include "io/code_table.h"

// Types drawn from the silhouette: revolution, extrusion, openext, fface, bface.
bool is_silhouette_type(int type);
// A silhouette with an order of 3 or 4, a knot type of 0 or 1, and at least
// as many points as its order. Anything less makes a NURBS that is rejected.
bool silhouette_usable(const ObjectRecord& rec);
// First and last points closer than closed_gap (measured with end_gap).
bool silhouette_closed(const ObjectRecord& rec);
// The shader code entry bound to a record, null when the binding names no entry.
const CodeEntry* bound_code(int record);
// Lines of the entry that are in use (0 for a null entry).
int code_line_count(const CodeEntry* entry);
// Writes the entry's lines as they are, each carrying its own newline.
void write_code_lines(FILE* out, const CodeEntry* entry);
