#pragma once

#include "platform/Clipboard.h"

#include <QMimeData>

#include <memory>

// Keeps what the program puts on the clipboard, for tests to read.
class RecordingClipboard : public Clipboard
{
public:
    void setMimeData(QMimeData* data) override
    {
        held.reset(data);
        ++copies;
    }

    std::unique_ptr<QMimeData> held;
    int copies = 0;
};
