#include <windows.h>

#include "app/program_entry.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return ProgramEntry();
}
