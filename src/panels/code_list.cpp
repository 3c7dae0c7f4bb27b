// Placeholder: the second controls work fills this in.
#include "panels/code_list.h"

void draw_code_list() {}
