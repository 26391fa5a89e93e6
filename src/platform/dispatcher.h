#pragma once

#include "platform/errors.h"
#include "platform/services.h"

#include <exception>
#include <new>

namespace platform {

// Runs one handler as the message loop would: a silent Abort ends it without a word, every other
// error is shown by the application's error display, and nothing escapes to the caller.
template <class Handler>
bool dispatch(ErrorDisplay& errors, Handler&& handler) {
    try {
        handler();
        return true;
    } catch (const Abort&) {
    } catch (const Error& error) {
        errors.showException(error.what());
    } catch (const std::bad_alloc&) {
        errors.showException("Out of memory");
    } catch (const std::exception& error) {
        errors.showException(error.what());
    } catch (...) {
        // Whatever else is thrown must not reach the message loop, which would end the program.
        errors.showException("Unexpected error");
    }
    return false;
}

}  // namespace platform
