// An OpenGL context that needs no display: Mesa's EGL on its surfaceless
// platform, drawing into an off-screen buffer (a pbuffer) of a chosen size.
// The buffer is of the kind a window has, so that GL draws into it exactly
// as into the "display" window. While it is open, the 3D pass draws into it.
#pragma once

#include <string>
#include <vector>

// The largest picture side the context is asked for.
constexpr int MAX_OFFSCREEN_SIDE = 8192;

class OffscreenContext {
 public:
  OffscreenContext() = default;
  OffscreenContext(const OffscreenContext&) = delete;
  OffscreenContext& operator=(const OffscreenContext&) = delete;
  ~OffscreenContext() { close(); }

  // Creates the context and its buffer and makes it current; false, with
  // the reason in why, when that cannot be done.
  bool open(int width, int height, std::string& why);
  // The picture drawn so far as RGB bytes, rows from the top; false (with
  // why) when GL reported an error while it was drawn or read.
  bool read_rgb(std::vector<unsigned char>& rgb, std::string& why);
  // Releases the context; GL must not be called after that.
  void close();

 private:
  void* display_ = nullptr;  // EGLDisplay
  void* context_ = nullptr;  // EGLContext
  void* surface_ = nullptr;  // EGLSurface
  int width_ = 0;
  int height_ = 0;
};
