// Operations on the cluster: the objects marked in the ClusterTable.
#include <cmath>

#include "app/scene.h"

void duplicate_cluster() {
  int marked = 0;
  for (int i = 0; i <= last_record; i++) marked += ClusterTable[i] == 1;
  const bool full = last_record + marked > LAST_INDEX;
  if (full) too_many_objects = 1;
  if (current_record < 0 || current_record >= MAX_RECORDS || ClusterTable[current_record] != 1) {
    not_in_cluster = 1;
    return;
  }
  if (full) return;
  const int old_last = last_record;
  int n = last_record;
  int new_current = current_record;
  for (int i = 0; i <= old_last && n < LAST_INDEX; i++) {
    if (ClusterTable[i] != 1) continue;
    n++;
    copy_record(n, i);
    ClusterTable[i] = 0;
    ClusterTable[n] = 1;
    if (i == current_record) new_current = n;
  }
  current_record = new_current;
  last_record = n;
  if (last_record > list_first + list_rows) list_first = last_record - list_rows;
}

void delete_cluster() {
  const bool current_marked =
      current_record >= 0 && current_record < MAX_RECORDS && ClusterTable[current_record] == 1;
  const int old_last = last_record;
  int removed = 0;
  int removed_below_current = 0;
  for (int i = old_last; i >= 0; i--) {
    if (ClusterTable[i] != 1) continue;
    for (int j = i; j < old_last; j++) copy_record(j, j + 1);
    CodeBindingTable[old_last - removed] = 0;
    removed++;
    if (i < current_record) removed_below_current++;
  }
  last_record -= removed;
  if (current_marked) {
    current_record = 0;
    load_edit_buffer();
  } else if (removed_below_current > 0) {
    // The current object moved down with the records below it.
    current_record -= removed_below_current;
    load_edit_buffer();
  }
  for (int i = FIRST_OBJECT; i < MAX_RECORDS; i++) ClusterTable[i] = 0;
}

void mark_same_color() {
  const ObjectRecord& c = ObjectTable[current_record];
  for (int i = FIRST_OBJECT; i <= last_record; i++) {
    const ObjectRecord& r = ObjectTable[i];
    bool same = true;
    for (int k = 0; k < 3; k++)
      if (std::fabs(r.color[k] - c.color[k]) > 0.01f) same = false;
    same_color[i] = same ? 1 : 0;
  }
  if (current_record >= 0 && current_record < MAX_RECORDS) same_color[current_record] = 1;
}

void propagate_color() {
  const ObjectRecord& c = ObjectTable[current_record];
  for (int i = 0; i <= last_record; i++) {
    if (ClusterTable[i] != 1 || same_color[i] != 1 || i == current_record) continue;
    copy_look(ObjectTable[i], c, 3);  // each member keeps its alpha
  }
}

int silhouette_equals(int i) {
  if (i < 0 || i >= MAX_RECORDS) return 0;
  const ObjectRecord& c = ObjectTable[current_record];
  const ObjectRecord& r = ObjectTable[i];
  if (r.silend != c.silend) return 0;
  for (int k = 0; k <= c.silend && k < MAX_SIL_POINTS; k++)
    if (std::fabs(r.silpix[k][0] - c.silpix[k][0]) > 0.01f ||
        std::fabs(r.silpix[k][1] - c.silpix[k][1]) > 0.01f)
      return 0;
  return 1;
}

void propagate_silhouette() {
  const ObjectRecord& c = ObjectTable[current_record];
  for (int i = 0; i <= last_record; i++) {
    if (ClusterTable[i] != 1 || same_silhouette[i] != 1 || i == current_record) continue;
    ObjectRecord& r = ObjectTable[i];
    r.base[0] = c.base[0];
    r.base[1] = c.base[1];
    r.silend = c.silend;
    for (int k = 0; k <= c.silend && k < MAX_SIL_POINTS; k++) {
      r.silpix[k][0] = c.silpix[k][0];
      r.silpix[k][1] = c.silpix[k][1];
      r.sil[k][0] = c.sil[k][0];
      r.sil[k][1] = c.sil[k][1];
    }
  }
}
