#pragma once

#include "platform/Shell.h"

// The desktop's own browser hand-off (xdg-open and its kin, through Qt).
class DesktopShell : public Shell
{
protected:
    bool handOff(const QUrl& url) override;
};
