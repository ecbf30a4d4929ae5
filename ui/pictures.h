#pragma once
#include <windows.h>

// Decodes a picture resource (JPEG or GIF; of a GIF only the first frame) into
// a bitmap that the caller owns. Null when it cannot be decoded.
HBITMAP LoadPictureResource(int resourceId);

// The program icon at a given size.
HICON LoadProgramIcon(int size);
