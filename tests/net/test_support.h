#pragma once
// Small helpers shared by the network tests.

#include <QString>

// Runs f and returns the message of the exception of type E it throws ("" when none).
template <typename E, typename F> QString messageOf(F&& f)
{
    try {
        f();
    } catch (const E& error) {
        return QString::fromUtf8(error.what());
    }
    return {};
}
