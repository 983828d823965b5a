#pragma once
// The interpreter's host in the window: handles events at most every few milliseconds
// while a program runs at full speed, blocks on the event queue while it waits, and
// redraws the world at screen rate.
#include <QElapsedTimer>
#include <QTimer>

#include <functional>
#include <memory>

#include "language/host.h"

class QSoundEffect;

namespace tumbo::app {

class QtRunHost : public TTumbo_Host {
public:
    // `redraw` repaints what changed in the world; `beforeEvents` brings the window's
    // displays (current line, status fields) up to date before events are handled.
    QtRunHost(std::function<void()> redraw, std::function<void()> beforeEvents);
    ~QtRunHost() override;

    void ProcessEvents() override;
    void WaitForEvents(uint32_t timeoutMs) override;
    uint32_t TickCount() override;
    void PlaySound() override;
    void UpdateView() override;
    uint32_t QuietStatements() override { return kQuietStatements; }
    void QuietFrame(bool redraw) override;

    // Draws a deferred redraw now.
    void Flush();

    // How often events are handled while a run goes on without waiting, and how often
    // the world is redrawn.
    static constexpr qint64 kEventIntervalMs = 20;
    static constexpr qint64 kRedrawIntervalMs = 20;
    static constexpr unsigned kCallsPerClockCheck = 32;
    // While a run is quiet the clock is looked at after this many statements: a few
    // microseconds of work, far below a frame.
    static constexpr uint32_t kQuietStatements = 4096;

private:
    void HandleEvents(bool wait);

    std::function<void()> redraw_;
    std::function<void()> beforeEvents_;
    QElapsedTimer clock_;
    qint64 lastEvents_ = -1000;
    qint64 lastRedraw_ = -1000;
    bool redrawPending_ = false;
    unsigned eventCalls_ = 0;
    unsigned viewCalls_ = 0;
    QTimer wakeUp_;
    std::unique_ptr<QSoundEffect> sound_;
};

}  // namespace tumbo::app
