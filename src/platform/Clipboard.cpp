#include "platform/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace
{
class SystemClipboard : public Clipboard
{
public:
    void setMimeData(QMimeData* data) override { QGuiApplication::clipboard()->setMimeData(data); }
};
} // namespace

Clipboard& Clipboard::system()
{
    static SystemClipboard clipboard;
    return clipboard;
}
