#pragma once

class BusyPointer;
class Shell;

// The desktop services the main window reaches through, passed in so tests can watch them and
// stand in for them (a desktop without a browser, a pointer whose claims are counted). They
// outlive the window.
struct WindowServices {
    Shell& shell;
    BusyPointer& pointer;
};
