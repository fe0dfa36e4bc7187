#pragma once

#include "platform/Shell.h"

// The desktop's browser hand-off through xdg-open, whose exit status says whether a browser took
// the address: xdg-open may wait for the browser it starts, so the outcome arrives later and only
// a failure (no xdg-open, or a non-zero status) is acted on.
class DesktopShell : public Shell
{
public:
    using Shell::Shell;

protected:
    bool handOff(const QUrl& url) override;
};
