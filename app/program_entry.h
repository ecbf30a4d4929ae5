#pragma once
#include <cstdint>

// Start of the program: works in the folder of its own file, opens the main
// window and runs the message loop until the last window is gone.
std::int32_t ProgramEntry();
