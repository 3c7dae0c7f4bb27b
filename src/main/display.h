// The frame of the "display" window: the 3D pass, the panels over it, the swap.
#pragma once

// Display callback of the "display" window.
void display_3d();
