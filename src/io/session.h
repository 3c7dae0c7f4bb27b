// Session files: the whole scene as text, and the automatic backups.
#pragma once

#include <cstdio>

// The copy of a loaded session's code section, in the working directory of
// the load; it becomes the current code file and every load overwrites it.
constexpr const char* ACTIVE_CODE_FILE = "active.rcf";

// Writes the scene; false (old file intact) when the file cannot be written.
bool save_session(const char* file_name);
// Replaces the scene with the file's content and makes its last record
// current; false (scene unchanged, reason on stderr) when the file cannot be
// read or is not a well-formed session. The caller redraws.
bool load_session(const char* file_name);

// The session text itself, as save_session writes it; false on a write error.
bool write_session(std::FILE* out);

// Backups that editing operations write as their last step.
constexpr const char* BACKUP_FILE = "backup.ses";
constexpr const char* SAFETY_NET_FILE = "safety_net.ses";
// A link of such a name is replaced by the file, never written through.
void save_backup();      // "backup.ses"
void save_safety_net();  // "safety_net.ses"
