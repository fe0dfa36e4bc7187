#pragma once

#include "platform/Shell.h"

#include <QStringList>
#include <QUrl>

// A browser hand-off that records what it was given; with browserAvailable false it stands in
// for a desktop where no browser takes the address.
class RecordingShell : public Shell
{
public:
    using Shell::Shell;

    QStringList opened;
    bool browserAvailable = true;

protected:
    bool handOff(const QUrl& url) override
    {
        opened << url.toString();
        return browserAvailable;
    }
};
