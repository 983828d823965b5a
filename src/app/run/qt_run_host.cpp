#include "app/run/qt_run_host.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

#include "app/files/data_files.h"

namespace tumbo::app {

QtRunHost::QtRunHost(std::function<void()> redraw, std::function<void()> beforeEvents)
    : redraw_(std::move(redraw)), beforeEvents_(std::move(beforeEvents))
{
    clock_.start();
    wakeUp_.setSingleShot(true);
}

QtRunHost::~QtRunHost() = default;

void QtRunHost::HandleEvents(bool wait)
{
    Flush();
    if (beforeEvents_)
        beforeEvents_();
    QCoreApplication::processEvents(wait ? QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents
                                         : QEventLoop::AllEvents);
    lastEvents_ = clock_.elapsed();
}

void QtRunHost::ProcessEvents()
{
    // Reading the clock costs more than a statement; look at it every few calls only.
    if (++eventCalls_ % kCallsPerClockCheck != 0)
        return;
    if (clock_.elapsed() - lastEvents_ < kEventIntervalMs)
        return;
    HandleEvents(false);
}

void QtRunHost::WaitForEvents(uint32_t timeoutMs)
{
    if (timeoutMs == 0) {
        HandleEvents(false);
        return;
    }
    // The timer wakes the blocked event loop when nothing else arrives in time.
    wakeUp_.start(int(std::min<uint32_t>(timeoutMs, 1u << 30)));
    HandleEvents(true);
    wakeUp_.stop();
}

uint32_t QtRunHost::TickCount()
{
    return uint32_t(clock_.elapsed());
}

void QtRunHost::PlaySound()
{
    const QString file = FindDataFile(QStringLiteral("ton.wav"));
    if (!QFileInfo::exists(file))
        return;
    if (!sound_) {
        sound_ = std::make_unique<QSoundEffect>();
        sound_->setSource(QUrl::fromLocalFile(file));
    }
    sound_->play();
}

void QtRunHost::UpdateView()
{
    redrawPending_ = true;
    if (++viewCalls_ % kCallsPerClockCheck != 0)
        return;
    if (clock_.elapsed() - lastRedraw_ >= kRedrawIntervalMs)
        Flush();
}

void QtRunHost::QuietFrame(bool redraw)
{
    redrawPending_ = redrawPending_ || redraw;
    const qint64 now = clock_.elapsed();
    if (now - lastEvents_ >= kEventIntervalMs)
        HandleEvents(false);  // draws a pending redraw first
    else if (now - lastRedraw_ >= kRedrawIntervalMs)
        Flush();
}

void QtRunHost::Flush()
{
    if (!redrawPending_)
        return;
    redrawPending_ = false;
    lastRedraw_ = clock_.elapsed();
    if (redraw_)
        redraw_();
}

}  // namespace tumbo::app
