#pragma once
// The message of the error a piece of core code raises, for tests that compare messages.

#include "globals/Errors.h"

#include <QString>

// Runs `action` and returns the message of the EOrvane it raises; a null string when it raises none.
template <typename F> QString ErrorOf(F action)
{
    try {
        action();
    } catch (const EOrvane &e) {
        return e.Message();
    }
    return QString();
}
