// Export of the scene as a stand-alone OpenGL/GLUT C program.
#pragma once

bool write_gl_program(const char* file_name);
