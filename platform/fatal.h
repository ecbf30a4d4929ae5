#pragma once

// Ends the process with exit code -1 after an error message box. Used for the
// conditions the program cannot go on from: window definitions that cannot be
// made ready, a main window that cannot be created, a failed allocation, a
// window addressed after it was gone.
[[noreturn]] void FatalError(const char* gbkMessage);
[[noreturn]] void FatalOutOfMemory();
