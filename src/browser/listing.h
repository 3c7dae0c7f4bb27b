// The directory listing the file browser shows: subdirectories first, then
// the files whose names contain the extension of the browser's mode, each
// group in byte order.
#pragma once

constexpr int MAX_ENTRIES = 300;  // capacity of the listing table
constexpr int ENTRY_SIZE = 200;   // bytes of one entry, including the sort prefix while sorting

extern char entries[MAX_ENTRIES][ENTRY_SIZE];  // entry names in display order
extern int entry_is_dir[MAX_ENTRIES];          // 1 directory, 0 file
extern int entry_count;                        // valid entries
extern const int max_entries;                  // capacity, MAX_ENTRIES

// The extension files must contain to be listed in the browser's current
// mode, or nullptr when no mode lists files.
const char* listing_extension();
// Fills the table from the directory `path`: with more candidates than the
// table holds, those first in display order. False (table kept, message on
// stderr) when it cannot be read. The working directory is `path` afterwards.
bool list_directory(const char* path);
// Sorts the first n entries by byte order (Shell sort) and strips the
// one-character sort prefix of each.
void sort_entries(int n);
// Index of the first of the first n entries equal to name, or n.
int find_entry(const char* name, int n);
// Empties the table.
void clear_listing();
