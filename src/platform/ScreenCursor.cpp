#include "platform/ScreenCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace
{
int g_shape = ScreenCursor::Default;
}

void ScreenCursor::set(int shape)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    if (shape == Default) {
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
        g_shape = Default;
        return;
    }
    const QCursor cursor(shape == Hourglass ? Qt::WaitCursor : Qt::BusyCursor);
    if (QGuiApplication::overrideCursor())
        QGuiApplication::changeOverrideCursor(cursor);
    else
        QGuiApplication::setOverrideCursor(cursor);
    g_shape = shape;
}

int ScreenCursor::current()
{
    return g_shape;
}
