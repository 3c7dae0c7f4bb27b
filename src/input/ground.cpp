// Ground placement: the clicked pixel is unprojected with the 3D view's
// matrices, the eye ray is cut with the floor, and the hit is snapped to tenths.
#include "input/ground.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdlib>

#include "app/scene.h"
#include "app/window.h"
#include "render/render.h"

// Window depth of the unprojected point: a point well inside the view volume
// on the ray under the pointer.
constexpr double CLICK_DEPTH = 0.9952;

float snap_tenth(float v) {
  const float hundredths = v * 100;
  // Beyond the int range there is nothing left to round at this precision.
  if (!(std::fabs(hundredths) < 2.0e9f)) return v;
  const int n = static_cast<int>(hundredths);
  const int magnitude = std::abs(n);
  const int d = magnitude % 10;
  const int rounded = d >= 6 ? magnitude - d + 10 : magnitude - d;
  return static_cast<float>((n < 0 ? -rounded : rounded) / 100.0);
}

bool ground_point(const double eye_pos[3], const double p[3], float* gx, float* gz) {
  const float t = static_cast<float>(eye_pos[1] / (eye_pos[1] - p[1]));
  if (!std::isfinite(t) || !(t > 0.0f)) return false;
  const float x = static_cast<float>(t * (p[0] - eye_pos[0]) + eye_pos[0]);
  const float z = static_cast<float>(t * (p[2] - eye_pos[2]) + eye_pos[2]);
  if (!std::isfinite(x) || !std::isfinite(z)) return false;
  *gx = x;
  *gz = z;
  return true;
}

void place_on_ground(float x, float z) {
  if (current_record < 0 || current_record >= MAX_RECORDS) return;
  ObjectRecord& c = ObjectTable[current_record];
  if (cluster_mode && ClusterTable[current_record] != 1) {
    not_in_cluster = 1;
    return;
  }
  if (cluster_mode) {
    const float dx = x - c.position[0];
    const float dz = z - c.position[2];
    for (int i = 0; i <= last_record && i < MAX_RECORDS; i++) {
      if (ClusterTable[i] != 1) continue;
      ObjectTable[i].position[0] += dx;
      ObjectTable[i].position[2] += dz;
    }
  }
  c.position[0] = x;
  c.position[2] = z;
  edit_position[0] = x;
  edit_position[2] = z;
}

void place_at_click(int x, int y) {
  if (!display_window) return;  // no view to unproject through
  select_display_window();
  GLint viewport[4];
  GLdouble model[16], proj[16];
  glGetIntegerv(GL_VIEWPORT, viewport);
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  glGetDoublev(GL_PROJECTION_MATRIX, proj);
  double p[3];
  if (!gluUnProject(x, viewport[3] - y - 1, CLICK_DEPTH, model, proj, viewport, &p[0], &p[1],
                    &p[2]))
    return;
  double eye[3];
  eye_position(latitude, longitude, distance, eye);
  float gx, gz;
  if (ground_point(eye, p, &gx, &gz)) place_on_ground(snap_tenth(gx), snap_tenth(gz));
}
