#pragma once

#include <QString>

class Dialogs;
class QUrl;

// Opens addresses in the system's browser. Only http and https addresses are opened; anything
// else (file:, javascript:, empty text) is refused so a scraped link cannot start a program.
// When no browser takes an address the user is told, and finds the address on the clipboard.
// The window gets its shell passed in, so tests can watch the hand-off and stand in for a
// desktop without a browser.
class Shell
{
public:
    // `dialogs` tells the user when no browser took an address; it outlives the shell.
    explicit Shell(Dialogs& dialogs) : m_dialogs(dialogs) {}
    virtual ~Shell() = default;

    // Returns whether the address was accepted and a browser took it.
    bool openUrl(const QString& address);
    [[nodiscard]] static bool isOpenable(const QString& address);

protected:
    // Hands a checked http(s) address to the browser; false when none took it. A hand-off that
    // learns the outcome later reports a failure through reportNoBrowser.
    virtual bool handOff(const QUrl& url) = 0;
    // No browser took the address: it goes on the clipboard and a message says so.
    static void reportNoBrowser(Dialogs& dialogs, const QString& address);
    [[nodiscard]] Dialogs& dialogs() const { return m_dialogs; }

private:
    Dialogs& m_dialogs;
};
