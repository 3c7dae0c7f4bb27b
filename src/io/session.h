// Session files: the whole scene as text, and the automatic backups.
#pragma once

// Writes the scene; false (old file intact) when the file cannot be written.
bool save_session(const char* file_name);
// Replaces the scene with the file's content; false (scene unchanged) on failure.
bool load_session(const char* file_name);

// Backups that editing operations write as their last step.
void save_backup();       // "backup.ses"
void save_safety_net();   // "safety_net.ses"
