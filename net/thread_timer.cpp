#include "net/thread_timer.h"

#include <QtGlobal>

#include <exception>

void TThreadTimer::SetEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    restart();
}

void TThreadTimer::SetInterval(unsigned milliseconds)
{
    if (milliseconds == interval_)
        return;
    interval_ = milliseconds;
    restart();
}

void TThreadTimer::SetOnTimer(std::function<void()> handler)
{
    onTimer_ = std::move(handler);
    restart();
}

void TThreadTimer::restart()
{
    running_ = enabled_ && interval_ != 0 && onTimer_;
    if (running_)
        due_ = Clock::now() + std::chrono::milliseconds(interval_);
}

bool TThreadTimer::Poll()
{
    if (!running_)
        return false;
    const Clock::time_point now = Clock::now();
    if (now < due_)
        return false;
    // Like a window timer, a late tick is delivered once and the next one counts from now.
    due_ = now + std::chrono::milliseconds(interval_);
    const std::function<void()> handler = onTimer_; // the handler may replace or stop the timer
    try {
        handler();
    } catch (const std::exception& error) {
        qWarning("TThreadTimer: OnTimer raised: %s", error.what());
    } catch (...) {
        qWarning("TThreadTimer: OnTimer raised an unknown exception");
    }
    return true;
}
