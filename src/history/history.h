// Undo and redo of the scene. After each handled event the caller lets the
// history record what the event changed; a change of anything a session file
// holds (records, light switches, bindings, code table and code file), of the
// cluster marks or of the cluster mode is one step. The current record is
// kept with each state but choosing another one is no step. Views, panels,
// menus, the browser and the edit buffer are not part of the history; the
// edit buffer is reloaded from the current record after each undo and redo.
#pragma once

#include <cstddef>

constexpr std::size_t HISTORY_MAX_STEPS = 1000;        // steps kept at most
constexpr std::size_t HISTORY_MAX_BYTES = 64u << 20;   // memory the steps may hold

// Records what the event just handled changed. Successive events that only
// retype names (keystrokes) while the same record is current form one step.
void record_event();
// One step back or forth: the scene as it was, the edit buffer reloaded, the
// object list scrolled to show the current object, and the program's own
// copy of a session's code section put back as it was. Nothing happens when
// there is no step to take.
void undo_step();
void redo_step();

std::size_t undo_depth();     // steps that can be undone
std::size_t redo_depth();     // steps that can be redone
std::size_t history_bytes();  // memory the steps hold
void set_history_limits(std::size_t max_steps, std::size_t max_bytes);

// Forgets every step; the scene as it is now is where undo stops.
void reset_history();
