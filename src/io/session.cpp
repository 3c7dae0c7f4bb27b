// Placeholder: the persistence work fills these in.
#include "io/session.h"

bool save_session(const char*) { return false; }
bool load_session(const char*) { return false; }
void save_backup() { save_session("backup.ses"); }
void save_safety_net() { save_session("safety_net.ses"); }
