// Mouse and keyboard of the "display" window.
#pragma once

void mouse_3d(int button, int state, int x, int y);
void motion_3d(int x, int y);
void code_list_click(int button, int state, int x, int y);
float snap_tenth(float v);
void keyboard_3d(unsigned char key, int x, int y);
void special_3d(int key, int x, int y);
void turn_view(int key);
void change_distance(unsigned char key);

// Input state back to its start values.
void reset_input();
