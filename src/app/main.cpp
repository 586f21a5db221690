#include "app/run_main.h"

int main(int argc, char** argv) { return corvaneMain(argc, argv); }
