// Readers that append themselves to FileFormatReaders after the library's own ones.
#pragma once

// Appends the GIF reader and then the icon reader (once; later calls do nothing).
void RegisterGIFAndIconReaders();
