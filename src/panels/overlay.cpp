// Placeholder: the first controls work fills these in.
#include "panels/overlay.h"

int code_list_shown = 0;

void panel_text(float, float, const char*, ...) {}
void draw_panels() {}
void reset_panels() { code_list_shown = 0; }
