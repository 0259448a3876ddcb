#pragma once
// Every handler connected to a signal goes through connectHandler. Qt's signal code does not
// let exceptions pass through it, so an error that leaves a handler (a database error, a
// number's text that does not convert) is caught right there, at the handler, and shown in
// the default error box; the handler stops where it failed and the program goes on, as for
// an error leaving an event handler.
//
//   connectHandler(BB1, &QPushButton::clicked, this, &TFxxx1::BB1Click);          // a member
//   connectHandler(Edit1, &QLineEdit::textChanged, this, [this] { Edit1Change(); }); // a lambda
//   connectHandler(N1, &QAction::triggered, SB2, &QAbstractButton::click);          // another's member
//
// The handler may take fewer arguments than the signal gives (the leading ones). The third
// argument is the receiver: the member's object, or the context whose destruction ends the
// connection for a lambda. No handler is connected with QObject::connect directly.

#include "Messages.h"

#include <QObject>

#include <cstddef>
#include <functional>
#include <tuple>
#include <type_traits>
#include <utility>

// Runs f; an error leaving it is shown in the default error box. For code that is no signal
// handler but must not let an error pass (a close event that has more to do afterwards).
void runGuarded(const std::function<void()>& f);

namespace handler_detail {

template <class F, class Tuple, std::size_t... I>
constexpr bool invocableWithFirst(std::index_sequence<I...>)
{
    return std::is_invocable_v<F&, std::tuple_element_t<I, Tuple>...>;
}

template <class F, class Tuple, std::size_t... I>
void invokeWithFirst(F& f, Tuple& args, std::index_sequence<I...>)
{
    std::invoke(f, std::get<I>(args)...);
}

// Calls f with the longest leading part of args that it takes.
template <std::size_t N, class F, class Tuple>
void invokeLeading(F& f, Tuple& args)
{
    if constexpr (invocableWithFirst<F, Tuple>(std::make_index_sequence<N>{})) {
        invokeWithFirst(f, args, std::make_index_sequence<N>{});
    } else {
        static_assert(N > 0, "the handler takes arguments that the signal does not give");
        if constexpr (N > 0)
            invokeLeading<N - 1>(f, args);
    }
}

// A member function pointer bound to its object; callable only with arguments the member takes.
template <class Object, class Member>
auto bindMember(Object* object, Member member)
{
    return [object, member](auto&&... args) -> decltype(std::invoke(member, object, std::forward<decltype(args)>(args)...)) {
        return std::invoke(member, object, std::forward<decltype(args)>(args)...);
    };
}

template <class F>
auto guard(F f)
{
    return [f = std::move(f)](auto&&... args) mutable -> void {
        try {
            auto all = std::forward_as_tuple(args...);
            invokeLeading<sizeof...(args)>(f, all);
        } catch (...) {
            showCurrentError();
        }
    };
}

} // namespace handler_detail

template <class Sender, class Signal, class Receiver, class Handler>
QMetaObject::Connection connectHandler(Sender* sender, Signal signal, Receiver* receiver, Handler handler,
                                       Qt::ConnectionType type = Qt::AutoConnection)
{
    static_assert(std::is_base_of_v<QObject, Receiver>, "the receiver is a QObject");
    if constexpr (std::is_member_function_pointer_v<Handler>) {
        return QObject::connect(sender, signal, receiver,
                                handler_detail::guard(handler_detail::bindMember(receiver, handler)), type);
    } else {
        return QObject::connect(sender, signal, receiver, handler_detail::guard(std::move(handler)), type);
    }
}
