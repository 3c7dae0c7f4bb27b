// Pictures of the scene without a display: the modeller's own 3D pass drawn
// off screen, for silmod-export's --png.
#pragma once

#include <vector>

// Draws the scene as the "display" window's 3D view shows it at this size,
// without the panels, with the current camera, wireframe setting and
// sampling density; the picture as RGB rows from the top. False, with the
// reason on stderr, when no picture could be made.
bool draw_picture(int width, int height, std::vector<unsigned char>& rgb);
