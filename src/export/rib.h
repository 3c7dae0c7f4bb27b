// RenderMan RIB export of the scene.
#pragma once

bool write_rib(const char* file_name);
