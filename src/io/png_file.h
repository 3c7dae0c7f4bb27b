// Pictures as PNG files.
#pragma once

// Writes RGB bytes (rows from the top, 3 * width bytes each) as an 8-bit RGB
// PNG file, replacing the old file only once the new one is complete; false,
// with "NAME: what went wrong" on stderr, on failure.
bool write_png(const char* file_name, const unsigned char* rgb, int width, int height);
