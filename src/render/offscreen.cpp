#include "render/offscreen.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstdio>
#include <cstring>

#include "render/tess_cache.h"

namespace {

std::string egl_failure(const char* what) {
  char text[96];
  std::snprintf(text, sizeof text, "%s failed (EGL error 0x%04x)", what, (unsigned)eglGetError());
  return text;
}

EGLint attribute(EGLDisplay display, EGLConfig config, EGLint name) {
  EGLint value = 0;
  eglGetConfigAttrib(display, config, name, &value);
  return value;
}

// The buffers the "display" window has: 8 bits of red, green and blue, as
// little alpha and as deep a depth buffer as there is.
bool window_like_config(EGLDisplay display, EGLConfig& chosen) {
  const EGLint wanted[] = {EGL_SURFACE_TYPE,
                           EGL_PBUFFER_BIT,
                           EGL_RENDERABLE_TYPE,
                           EGL_OPENGL_BIT,
                           EGL_RED_SIZE,
                           8,
                           EGL_GREEN_SIZE,
                           8,
                           EGL_BLUE_SIZE,
                           8,
                           EGL_DEPTH_SIZE,
                           16,
                           EGL_NONE};
  constexpr int MAX_CONFIGS = 256;
  EGLConfig configs[MAX_CONFIGS];
  EGLint count = 0;
  if (!eglChooseConfig(display, wanted, configs, MAX_CONFIGS, &count)) return false;
  int best = -1;
  EGLint best_depth = 0, best_alpha = 0;
  for (int i = 0; i < count && i < MAX_CONFIGS; i++) {
    if (attribute(display, configs[i], EGL_RED_SIZE) != 8 ||
        attribute(display, configs[i], EGL_GREEN_SIZE) != 8 ||
        attribute(display, configs[i], EGL_BLUE_SIZE) != 8)
      continue;
    const EGLint depth = attribute(display, configs[i], EGL_DEPTH_SIZE);
    const EGLint alpha = attribute(display, configs[i], EGL_ALPHA_SIZE);
    if (best < 0 || depth > best_depth || (depth == best_depth && alpha < best_alpha)) {
      best = i;
      best_depth = depth;
      best_alpha = alpha;
    }
  }
  if (best < 0) return false;
  chosen = configs[best];
  return true;
}

}  // namespace

bool OffscreenContext::open(int width, int height, std::string& why) {
  close();
  if (width < 1 || height < 1 || width > MAX_OFFSCREEN_SIDE || height > MAX_OFFSCREEN_SIDE) {
    why = "a picture of " + std::to_string(width) + " x " + std::to_string(height) +
          " pixels cannot be made";
    return false;
  }
  const char* client = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
  auto get_display = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
      eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (client == nullptr || std::strstr(client, "EGL_MESA_platform_surfaceless") == nullptr ||
      get_display == nullptr) {
    why = "no OpenGL without a display here (EGL lacks Mesa's surfaceless platform)";
    return false;
  }
  EGLDisplay display = get_display(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) {
    why = egl_failure("starting EGL");
    return false;
  }
  display_ = display;
  EGLConfig config = nullptr;
  if (!eglBindAPI(EGL_OPENGL_API) || !window_like_config(display, config)) {
    why = egl_failure("finding an OpenGL configuration with 8-bit colour and depth");
    close();
    return false;
  }
  const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
  surface_ = eglCreatePbufferSurface(display, config, size);
  if (surface_ == EGL_NO_SURFACE) {
    surface_ = nullptr;
    why = egl_failure(
        ("making a " + std::to_string(width) + " x " + std::to_string(height) + " picture buffer")
            .c_str());
    close();
    return false;
  }
  // The modeller draws with the fixed-function pipeline: a compatibility context.
  context_ = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
  if (context_ == EGL_NO_CONTEXT) {
    context_ = nullptr;
    why = egl_failure("creating an OpenGL context");
    close();
    return false;
  }
  // The tessellation cache serves this context while it is open.
  tess_cache_offscreen(true);
  if (!eglMakeCurrent(display, surface_, surface_, context_)) {
    why = egl_failure("making the OpenGL context current");
    close();
    return false;
  }
  width_ = width;
  height_ = height;
  return true;
}

bool OffscreenContext::read_rgb(std::vector<unsigned char>& rgb, std::string& why) {
  if (context_ == nullptr) {
    why = "no picture was drawn";
    return false;
  }
  glFinish();
  const size_t row = 3 * static_cast<size_t>(width_);
  std::vector<unsigned char> bottom_up(row * height_);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, bottom_up.data());
  const GLenum error = glGetError();
  if (error != GL_NO_ERROR) {
    char text[64];
    std::snprintf(text, sizeof text, "OpenGL error 0x%04x while drawing", (unsigned)error);
    why = text;
    return false;
  }
  rgb.resize(bottom_up.size());
  for (int y = 0; y < height_; y++)
    std::memcpy(&rgb[row * y], &bottom_up[row * (height_ - 1 - y)], row);
  return true;
}

// The display itself stays initialised for the life of the process: EGL hands
// the same one to every open, and terminating it would unload the driver with
// some of the driver's own allocations still held.
void OffscreenContext::close() {
  if (display_ != nullptr) {
    if (context_ != nullptr) tess_cache_offscreen(false);  // its buffers go with the context
    eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context_ != nullptr) eglDestroyContext(display_, context_);
    if (surface_ != nullptr) eglDestroySurface(display_, surface_);
  }
  display_ = context_ = surface_ = nullptr;
  width_ = height_ = 0;
}
