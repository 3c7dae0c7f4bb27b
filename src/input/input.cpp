// Placeholder: the first controls work fills these in.
#include "input/input.h"

void mouse_3d(int, int, int, int) {}
void motion_3d(int, int) {}
void code_list_click(int, int, int, int) {}
float snap_tenth(float v) { return v; }
void keyboard_3d(unsigned char, int, int) {}
void special_3d(int, int, int) {}
void turn_view(int) {}
void change_distance(unsigned char) {}

void reset_input() {}
