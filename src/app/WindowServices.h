#pragma once

#include "platform/FileWriter.h"

class BusyPointer;
class Clipboard;
class Shell;

// The desktop services the main window reaches through, passed in so tests can watch them and
// stand in for them (a desktop without a browser, a pointer whose claims are counted, a clipboard
// that keeps what was copied, a disk that fills up). They outlive the window.
struct WindowServices {
    Shell& shell;
    BusyPointer& pointer;
    Clipboard& clipboard;
    // Writes every file of the window: thumbnails, downloads, exports, the keyword list.
    FileWriter& files = FileWriter::system();
};
