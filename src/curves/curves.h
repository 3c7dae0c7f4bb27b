// The "curves" window: the silhouette editor.
#pragma once

void curves_reshape(int width, int height);
void curves_display();
void curves_mouse(int button, int state, int x, int y);
void reset_curves();
