// silmod-export SESSION [--rib FILE] [--c FILE] [--ses FILE] [--png FILE] [options]
#include "export/export_tool.h"

int main(int argc, char** argv) { return run_export_tool(argc, argv); }
