// The entry point of every program: the runtime's launcher with the program's
// descriptor.
#include "wince/host/runtime.h"
#include "wince/runtime.h"

int main(int argc, char** argv) { return wince::runProgram(wince::kProgram, argc, argv); }
