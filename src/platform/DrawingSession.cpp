#include "platform/DrawingSession.h"

#include "platform/Dialogs.h"

#include <QGuiApplication>

DrawingSession::DrawingSession() : m_started(qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {}

bool DrawingSession::reportFailure() const
{
    if (!m_started)
        Dialogs::instance().critical(failureText());
    return m_started;
}
