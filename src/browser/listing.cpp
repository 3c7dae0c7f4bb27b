#include "browser/listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "browser/browser.h"
#include "io/file_util.h"

char entries[MAX_ENTRIES][ENTRY_SIZE];
int entry_is_dir[MAX_ENTRIES];
int entry_count = 0;
const int max_entries = MAX_ENTRIES;

const char* listing_extension() {
  if (browse_save_rib) return ".rib";
  if (browse_save_ses || browse_load_ses) return ".ses";
  if (browse_save_c) return ".c";
  if (browse_load_code) return ".rcf";
  return nullptr;
}

void clear_listing() {
  entry_count = 0;
  for (int i = 0; i < MAX_ENTRIES; i++) {
    entries[i][0] = 0;
    entry_is_dir[i] = 0;
  }
}

// Whether `name` in the directory `dir_fd` can be entered; the working
// directory is the listed directory again afterwards.
static bool enterable(const char* name, int dir_fd) {
  if (chdir(name) != 0) return false;
  if (fchdir(dir_fd) != 0)
    std::fprintf(stderr, "cannot return to the listed directory: %s\n", std::strerror(errno));
  return true;
}

// Stores a prefixed name with its flag as entry n.
static void store_entry(int n, const char* prefixed, int is_dir) {
  std::memcpy(entries[n], prefixed, std::strlen(prefixed) + 1);
  entry_is_dir[n] = is_dir;
}

// Index of the entry that sorts last among the first n.
static int last_in_order(int n) {
  int last = 0;
  for (int i = 1; i < n; i++)
    if (std::strcmp(entries[i], entries[last]) > 0) last = i;
  return last;
}

// Drops entry 0 when it equals name, moving the later ones up.
static void drop_leading(const char* name, int* n) {
  if (*n == 0 || std::strcmp(entries[0], name) != 0) return;
  for (int i = 1; i < *n; i++) {
    std::memcpy(entries[i - 1], entries[i], ENTRY_SIZE);
    entry_is_dir[i - 1] = entry_is_dir[i];
  }
  (*n)--;
}

bool list_directory(const char* path) {
  const char* ext = listing_extension();
  DIR* dir = opendir(path);
  if (!dir) {
    std::fprintf(stderr, "%s: %s\n", printable(path).c_str(), std::strerror(errno));
    return false;
  }
  // Directories are told from files by entering them; the directory's own
  // handle brings us back, whatever the path looks like.
  int dir_fd = dirfd(dir);
  if (dir_fd < 0 || fchdir(dir_fd) != 0) {
    std::fprintf(stderr, "%s: %s\n", printable(path).c_str(), std::strerror(errno));
    closedir(dir);
    return false;
  }
  // Every candidate is read; when there are more than the table holds, it
  // keeps those that come first in the listing's own order (directories,
  // then byte order), so that every subdirectory stays reachable.
  int n = 0;
  int last = 0;  // once the table is full: the entry a smaller candidate replaces
  char candidate[ENTRY_SIZE];
  while (const dirent* ent = readdir(dir)) {
    const char* name = ent->d_name;
    // The prefix and the terminating zero must fit one entry.
    const size_t len = std::strlen(name);
    if (len > ENTRY_SIZE - 2) continue;
    int is_dir;
    if (ext && std::strstr(name, ext)) {
      candidate[0] = '1';
      is_dir = enterable(name, dir_fd) ? 1 : 0;
    } else if (enterable(name, dir_fd)) {
      candidate[0] = '0';
      is_dir = 1;
    } else {
      continue;  // a file without the extension
    }
    std::memcpy(candidate + 1, name, len + 1);
    if (n < MAX_ENTRIES) {
      store_entry(n++, candidate, is_dir);
      if (n == MAX_ENTRIES) last = last_in_order(n);
    } else if (std::strcmp(candidate, entries[last]) < 0) {
      store_entry(last, candidate, is_dir);
      last = last_in_order(n);
    }
  }
  closedir(dir);
  sort_entries(n);
  drop_leading(".", &n);
  drop_leading("..", &n);
  entry_count = n;
  return true;
}

void sort_entries(int n) {
  if (n <= 0) return;
  if (n > MAX_ENTRIES) n = MAX_ENTRIES;
  int h = 1;
  while (h <= n) h = 3 * h + 1;
  char taken[ENTRY_SIZE];
  for (h /= 3; h >= 1; h /= 3) {
    for (int i = h; i < n; i++) {
      std::memcpy(taken, entries[i], ENTRY_SIZE);
      int taken_dir = entry_is_dir[i];
      int j = i - h;
      while (j >= 0 && std::strcmp(entries[j], taken) > 0) {
        std::memcpy(entries[j + h], entries[j], ENTRY_SIZE);
        entry_is_dir[j + h] = entry_is_dir[j];
        j -= h;
      }
      std::memcpy(entries[j + h], taken, ENTRY_SIZE);
      entry_is_dir[j + h] = taken_dir;
    }
  }
  for (int i = 0; i < n; i++) std::memmove(entries[i], entries[i] + 1, ENTRY_SIZE - 1);
}

int find_entry(const char* name, int n) {
  if (n > MAX_ENTRIES) n = MAX_ENTRIES;
  for (int i = 0; i < n; i++)
    if (std::strcmp(entries[i], name) == 0) return i;
  return n < 0 ? 0 : n;
}
