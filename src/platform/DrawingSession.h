#pragma once

#include <QString>

// Stands in for a per-window graphics start-up token. Drawing needs a running GUI application;
// without one the session fails and the owner shows the start-up error and closes.
class DrawingSession
{
public:
    DrawingSession();
    DrawingSession(const DrawingSession&) = delete;
    DrawingSession& operator=(const DrawingSession&) = delete;

    [[nodiscard]] bool isStarted() const { return m_started; }
    // Shows "Error loading GDI+!" with the critical icon when the session did not start.
    // Returns whether it started.
    bool reportFailure() const;

    static QString failureText() { return QStringLiteral("Error loading GDI+!"); }

private:
    bool m_started = false;
};
