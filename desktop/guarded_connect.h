#pragma once
// The one way a window connects a handler to a signal: the handler runs inside runGuarded, so an
// exception that leaves it ends the user's action in the standard error box, for every handler of
// every window by construction. A handler is a member function of the receiver or any callable;
// it takes the signal's arguments or none.

#include "desktop/guarded.h"

#include <QObject>

#include <functional>
#include <type_traits>

namespace GuardedDetail {

template <class Receiver, class Handler, class... Args> void invoke(Receiver* receiver, Handler& handler, Args&&... args)
{
    if constexpr (std::is_member_function_pointer_v<Handler>) {
        if constexpr (std::is_invocable_v<Handler&, Receiver*, Args...>)
            std::invoke(handler, receiver, std::forward<Args>(args)...);
        else
            std::invoke(handler, receiver);
    } else {
        if constexpr (std::is_invocable_v<Handler&, Args...>)
            std::invoke(handler, std::forward<Args>(args)...);
        else
            std::invoke(handler);
    }
}

} // namespace GuardedDetail

template <class Sender, class Signal, class Receiver, class Handler>
QMetaObject::Connection guardedConnect(Dialogs* dialogs, const Sender* sender, Signal signal, Receiver* receiver,
                                       Handler handler)
{
    return QObject::connect(sender, signal, receiver, [dialogs, receiver, handler](auto&&... args) mutable {
        runGuarded(dialogs, [&] { GuardedDetail::invoke(receiver, handler, std::forward<decltype(args)>(args)...); });
    });
}
