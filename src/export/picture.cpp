#include "export/picture.h"

#include <cstdio>
#include <string>

#include "render/offscreen.h"
#include "render/render.h"

bool draw_picture(int width, int height, std::vector<unsigned char>& rgb) {
  OffscreenContext gl;
  std::string why;
  bool ok = gl.open(width, height, why);
  if (ok) {
    // Lighting carries from one frame into the next in the window: the
    // axes and the light markers of a frame are lit by the scene's lights of
    // the frame before as well. The second frame is the one the window shows.
    reshape_3d(width, height);
    for (int frame = 0; frame < 2; frame++) draw_view_3d(false);
    ok = gl.read_rgb(rgb, why);
  }
  if (!ok) std::fprintf(stderr, "silmod-export: cannot draw the picture: %s\n", why.c_str());
  return ok;
}
