#pragma once
#include "DataError.h"
#include "Platform.h"
#include <QObject>
#include <exception>
#include <type_traits>

// Runs a window handler so that no exception crosses the Qt event loop: a
// data-layer error, or any other exception, ends the handler and is shown in
// the default error box with its own text.
template<typename F>
void runGuarded(F &&handler)
{
    try {
        handler();
    } catch (const DataError &e) {
        showDefaultError(e.message());
    } catch (const std::exception &e) {
        showDefaultError(QString::fromUtf8(e.what()));
    }
}

// Connects a signal to a handler through runGuarded. The handler may take the
// signal's arguments or none.
template<typename Sender, typename Signal, typename Handler>
QMetaObject::Connection connectGuarded(Sender *sender, Signal signal, QObject *context, Handler handler)
{
    return QObject::connect(sender, signal, context, [handler](auto... args) {
        runGuarded([&] {
            if constexpr (std::is_invocable_v<Handler, decltype(args)...>)
                handler(args...);
            else
                handler();
        });
    });
}
