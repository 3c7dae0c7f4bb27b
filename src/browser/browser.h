// The file browser drawn in the "display" window, and its directory buffers.
#pragma once

constexpr int DIR_SIZE = 200;  // bytes of every directory and file name buffer

extern char home_dir[DIR_SIZE];      // the " home " button returns here
extern char current_dir[DIR_SIZE];   // directory the browser shows
extern char ses_save_dir[DIR_SIZE];  // where "save session" opens
extern char ses_load_dir[DIR_SIZE];  // where "load session" opens
extern char c_dir[DIR_SIZE];         // where "save to gl" opens
extern char rib_dir[DIR_SIZE];       // where "save to rib" opens
extern char code_dir[DIR_SIZE];      // where "load RIB code file" opens
extern char file_name[DIR_SIZE];     // the name field
extern char saved_home[DIR_SIZE];    // home directory as it was when the home mode opened
extern int browser_open;             // the browser replaces the lights panel and list
// The mode: exactly one is 1 while the browser is open.
extern int browse_load_ses;   // "load session"
extern int browse_save_ses;   // "save session"
extern int browse_save_rib;   // "save to rib"
extern int browse_save_c;     // "save to gl"
extern int browse_load_code;  // "load RIB code file"
extern int browse_home;       // "reset home dir"

void draw_browser();
void browser_click(int button, int state, int x, int y);
void close_browser();
void browser_key(unsigned char key);
void browser_scroll(int key);
// Empties the name field and sets every directory to the working directory.
void reset_browser();
