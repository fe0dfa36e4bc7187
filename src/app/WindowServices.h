#pragma once

#include "platform/FileWriter.h"

class AppPaths;
class BusyPointer;
class Clipboard;
class Dialogs;
class ScreenInfo;
class Shell;
class SiteAddress;
class UserSettings;

// The process-wide services the main window reaches through, passed in so tests can watch them
// and stand in for them (a desktop without a browser, a pointer whose claims are counted, a
// clipboard that keeps what was copied, dialogs that answer by script, a screen whose panel moves,
// a disk that fills up, an application folder and a catalogue of their own). They outlive the
// window.
struct WindowServices {
    const AppPaths& paths;
    const SiteAddress& site;
    Shell& shell;
    BusyPointer& pointer;
    Clipboard& clipboard;
    Dialogs& dialogs;
    // The screen the window is on, its size and work area.
    ScreenInfo& screens;
    // The user's settings file (the folder of the last save).
    const UserSettings& settings;
    // Writes every file of the window: thumbnails, downloads, exports, the keyword list.
    FileWriter& files = FileWriter::system();
};
