#pragma once

#include <QString>

class QUrl;

// Opens addresses in the system's browser. Only http and https addresses are opened; anything
// else (file:, javascript:, empty text) is refused so a scraped link cannot start a program.
// The window gets its shell passed in, so tests can watch the hand-off and stand in for a
// desktop without a browser.
class Shell
{
public:
    virtual ~Shell() = default;

    // Returns whether the address was accepted and a browser took it.
    bool openUrl(const QString& address);
    [[nodiscard]] static bool isOpenable(const QString& address);

protected:
    // Hands a checked http(s) address to the browser; false when none took it.
    virtual bool handOff(const QUrl& url) = 0;
};
