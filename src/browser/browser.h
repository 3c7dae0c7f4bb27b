// The file browser drawn in the "display" window, and its directory buffers.
// Every file the user loads or saves is chosen here: the browser lists the
// working directory, walks the tree by double clicks, takes a picked or typed
// name and hands it to the session, RIB, C program or shader code routines.
#pragma once

constexpr int DIR_SIZE = 200;        // bytes of every directory and file name buffer
constexpr int MAX_TYPED_NAME = 195;  // typed file name characters; leaves room for an extension

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
// The mode: exactly one is 1 while the browser is open; only the browser sets them.
extern int browse_load_ses;   // "load session"
extern int browse_save_ses;   // "save session"
extern int browse_save_rib;   // "save to rib"
extern int browse_save_c;     // "save to gl"
extern int browse_load_code;  // "load RIB code file"
extern int browse_home;       // "reset home dir"

extern int sel_entry;           // selected listing entry, -1 none
extern int list_top;            // first listing entry shown (Page Up / Page Down)
extern int updir_pressed;       // button 1 drawn pressed in
extern int home_pressed;        // button 3 drawn pressed in
extern int ask_overwrite;       // "File already exists!" question is shown
extern int no_such_file;        // "File does not exist!" notice is shown
extern int read_failed;         // "File cannot be read!" notice is shown
extern int write_failed;        // "File cannot be written!" notice is shown
extern int no_such_dir;         // home mode: "No such directory!" notice is shown
extern double last_click_time;  // seconds (steady clock) of the previous left press

// The six modes, one for each entry of the "i/o menu".
enum BrowserMode {
  BROWSE_HOME,       // "reset home dir"
  BROWSE_LOAD_SES,   // "load session"
  BROWSE_SAVE_SES,   // "save session"
  BROWSE_SAVE_RIB,   // "save to rib"
  BROWSE_SAVE_C,     // "save to gl"
  BROWSE_LOAD_CODE,  // "load RIB code file"
};
// Opens the browser in one mode, in the directory where that mode last
// succeeded, with the mode's proposed file name; the home mode stays in the
// working directory and remembers home_dir to go back to.
void open_browser(BrowserMode mode);

// Drawn by the overlay pass while browser_open is 1, origin at the middle of
// the window's top edge, y up (rows at negative y).
void draw_browser();
// Clicks in the right half of the window while the browser is open (window
// coordinates, y down).
void browser_click(int button, int state, int x, int y);
// Closes the browser: no mode, no selection, question and notices gone.
void close_browser();
// A typed character for the name field, or for the home directory in the home mode.
void browser_key(unsigned char key);
// Page Up / Page Down scroll the listing.
void browser_scroll(int key);
// Re-reads the working directory into current_dir and rebuilds the listing,
// as opening a file mode and every event the browser takes do.
void update_listing();
// Empties the name field and sets every directory to the working directory.
void reset_browser();
