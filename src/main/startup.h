// Start-up: the start values of every subsystem, and the two windows.
#pragma once

// Puts every subsystem's state back to its start values.
void reset_all();
// glutInit, then the "display" and "curves" windows with their callbacks;
// leaves "display" as the current window.
void create_windows(int* argc, char** argv);
