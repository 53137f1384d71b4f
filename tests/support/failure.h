#pragma once

#include <gtest/gtest.h>

#include "base/errors.h"

namespace qrn::test {

// The error the action throws, for its kind, file, line, row, column and reason; a failed
// check, and an error that matches nothing, when it throws none.
template <class Action>
Error failureOf(Action action) {
    try {
        action();
    } catch (const Error& error) {
        return error;
    }
    ADD_FAILURE() << "no error";
    return Error(Error::Kind::Index, u"<no error>");
}

}  // namespace qrn::test
