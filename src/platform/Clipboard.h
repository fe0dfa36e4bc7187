#pragma once

class QMimeData;

// Where copied data goes: the system clipboard, or in tests a recorder that keeps it.
class Clipboard
{
public:
    virtual ~Clipboard() = default;
    // Takes ownership of `data`.
    virtual void setMimeData(QMimeData* data) = 0;

    // The desktop's clipboard.
    static Clipboard& system();
};
