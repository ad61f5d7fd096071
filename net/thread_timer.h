#pragma once
// TThreadTimer: the repeating time-out timer of the socket component. It runs exactly while it is
// enabled, has a non-zero interval and an OnTimer handler; its ticks are delivered by Poll(), which
// the owner calls from every wait, so ticks arrive on the owner's thread between its other events.

#include <chrono>
#include <functional>

class TThreadTimer final
{
public:
    using Clock = std::chrono::steady_clock;

    TThreadTimer() = default;
    TThreadTimer(const TThreadTimer&) = delete;
    TThreadTimer& operator=(const TThreadTimer&) = delete;

    bool Enabled() const { return enabled_; }
    // Setting the value it already has changes nothing (a running timer is not restarted).
    void SetEnabled(bool enabled);

    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned milliseconds);

    const std::function<void()>& OnTimer() const { return onTimer_; }
    void SetOnTimer(std::function<void()> handler);

    // True while the timer counts towards its next tick.
    bool Running() const { return running_; }

    // Raises OnTimer once when a tick is due and schedules the next one; true when it did. An
    // exception out of OnTimer does not reach the caller: it is reported as a warning.
    bool Poll();

private:
    // Stops the timer, then starts it again from now when the three conditions hold.
    void restart();

    bool enabled_ = true;
    unsigned interval_ = 1000;
    std::function<void()> onTimer_;
    bool running_ = false;
    Clock::time_point due_{};
};
