// The code list panel: shader code entries to bind to the current record.
#pragma once

void draw_code_list();
