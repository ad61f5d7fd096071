#pragma once
// The application's one top-level error handler: a user action (a click, a timer tick) runs inside
// it, and an exception that leaves the action ends it in the standard error box instead of
// unwinding through the event loop.

#include <functional>

class Dialogs;

void runGuarded(Dialogs* dialogs, const std::function<void()>& action);
