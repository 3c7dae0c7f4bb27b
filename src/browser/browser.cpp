// Placeholder: the file browser work fills these in.
#include "browser/browser.h"

#include <cstdio>
#include <cstring>
#include <unistd.h>

char home_dir[DIR_SIZE];
char current_dir[DIR_SIZE];
char ses_save_dir[DIR_SIZE];
char ses_load_dir[DIR_SIZE];
char c_dir[DIR_SIZE];
char rib_dir[DIR_SIZE];
char code_dir[DIR_SIZE];
char file_name[DIR_SIZE];
char saved_home[DIR_SIZE];
int browser_open = 0;
int browse_load_ses = 0;
int browse_save_ses = 0;
int browse_save_rib = 0;
int browse_save_c = 0;
int browse_load_code = 0;
int browse_home = 0;

void draw_browser() {}
void browser_click(int, int, int, int) {}
void close_browser() { browser_open = 0; }
void browser_key(unsigned char) {}
void browser_scroll(int) {}

void reset_browser() {
  file_name[0] = 0;
  char cwd[DIR_SIZE] = "";
  if (!getcwd(cwd, sizeof cwd)) cwd[0] = 0;
  char* dirs[] = {home_dir, current_dir, ses_save_dir, ses_load_dir, c_dir, rib_dir, code_dir};
  for (char* d : dirs) std::snprintf(d, DIR_SIZE, "%s", cwd);
  browser_open = 0;
}
