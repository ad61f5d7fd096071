#pragma once
// The show step of a window: the work a window does when it becomes visible runs when the program
// shows it, not when the window system restores it, optionally after centring the window on the
// screen; its errors end in the error box instead of unwinding through the window system's show().

#include <functional>

class Dialogs;
class QShowEvent;
class QWidget;

enum class ShowPlacement { Kept, Centred };

void runShowStep(QWidget* window, const QShowEvent* event, Dialogs* dialogs, const std::function<void()>& step,
                 ShowPlacement placement = ShowPlacement::Kept);
