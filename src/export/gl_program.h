// Export of the scene as the source of a stand-alone OpenGL/GLUT C program,
// which draws the scene with the NURBS routines declared in nurbUtil.h.
#pragma once

#include <cstdio>

// Writes the program to file_name; false (message on stderr, old file intact)
// when the file cannot be written.
bool write_gl_program(const char* file_name);
// The same text on an open stream.
void write_gl_program_text(FILE* out);
