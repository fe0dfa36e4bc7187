#pragma once

#include "app/SpinnerFrames.h"
#include "platform/DrawingSession.h"

#include <QBasicTimer>
#include <QImage>
#include <QWidget>

class AppPaths;
class QLabel;
class PictureBox;

// The busy window shown while a tile fetches its full-size icon: "Reading..." beside a 32 x 32
// spinner that advances every 30 ms, and a small close control with the tool tip "Cancel".
// That control, or the window manager's close, cancels: cancelled() is raised so the download the
// window stands for is abandoned, and the window closes. Hiding it is not closing. On a long
// download a line under "Reading..." says how much has arrived.
class BusyWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kFramePeriodMs = 30;
    static constexpr int kSpinnerLeft = 25;
    static constexpr int kSpinnerSize = 32;

    // The spinner frames are read from `paths`, which outlives the window.
    explicit BusyWindow(const AppPaths& paths, QWidget* owner = nullptr);

    [[nodiscard]] const SpinnerFrames& frames() const { return m_frames; }
    [[nodiscard]] const QImage& surface() const { return m_surface; }
    [[nodiscard]] QWidget* closeControl() const;
    // One timer tick: draws the next frame.
    void drawNextFrame();
    // What the close control does: raises cancelled() and closes the window.
    void cancel();
    // How much of the download has arrived; total is -1 when the site did not say.
    void showProgress(qint64 received, qint64 total);
    [[nodiscard]] QString progressText() const;
    // "420 KB of 1.2 MB", or "420 KB" without a total.
    [[nodiscard]] static QString amountText(qint64 received, qint64 total);

Q_SIGNALS:
    void cancelled();

protected:
    void showEvent(QShowEvent*) override;
    void hideEvent(QHideEvent*) override;
    void closeEvent(QCloseEvent*) override;
    void timerEvent(QTimerEvent* e) override;
    void paintEvent(QPaintEvent*) override;

private:
    const AppPaths& m_paths;
    DrawingSession m_session;
    SpinnerFrames m_frames;
    QBasicTimer m_timer;
    QImage m_surface;
    QLabel* m_label = nullptr;
    QLabel* m_amount = nullptr;
    PictureBox* m_close = nullptr;
    bool m_loaded = false;
};
