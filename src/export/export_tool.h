// silmod-export: loads a session with the modeller's reader and writes it with
// the modeller's writers, without a display.
#pragma once

// Exit statuses of the tool.
constexpr int EXPORT_OK = 0;
constexpr int EXPORT_FAILED = 1;    // the session could not be read or an output not written
constexpr int EXPORT_BAD_ARGS = 2;  // the command line is wrong; nothing was read or written

// Runs the tool on a command line (argv[0] is the program name). The export
// itself runs in a child process, which returns from here with its status.
int run_export_tool(int argc, char** argv);
