#pragma once

#include <QString>

#include <functional>

// Opens addresses in the system's browser. Only http and https addresses are opened; anything
// else (file:, javascript:, empty text) is refused so a scraped link cannot start a program.
class Shell
{
public:
    // Returns whether the address was handed on.
    static bool openUrl(const QString& address);
    static bool isOpenable(const QString& address);

    // Replaces the browser hand-off (tests observe it); an empty function restores the default.
    static void setOpener(std::function<void(const QString&)> opener);
};
