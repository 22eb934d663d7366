// The core's one way to report success or failure without exceptions: an outcome holds either the
// value an operation produced or why it failed (by default the text the caller shows or logs; an
// operation whose callers need more than a text names its own error type). `Status` is the value-less
// form for operations that only succeed or fail.
//
//     Outcome<Bytes> read(...) { ...; if (bad) return fail("读取文件时出错"); return bytes; }
//     Status write(...) { ...; if (bad) return fail(text); return {}; }
#pragma once

#include <cstdlib>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

namespace plazor {

// The failed side of an outcome, on its way to one: `return fail(text);` converts to any outcome
// whose error type can be made from `text`.
template <typename E>
struct Failure {
    E error;
};

inline Failure<std::string> fail(std::string text) {
    return {std::move(text)};
}

template <typename E>
requires(!std::is_convertible_v<E, std::string>) Failure<E> fail(E error) {
    return {std::move(error)};
}

template <typename T, typename E = std::string>
class [[nodiscard]] Outcome {
  public:
    Outcome(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    template <typename F>
    requires std::is_constructible_v<E, F&&> Outcome(Failure<F> failure)
        : state_(std::in_place_index<1>, std::move(failure.error)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    // The value; only when ok() (otherwise the process ends: a caller's fault, not the input's).
    T& value() & { return *valuePtr(); }
    const T& value() const& { return *valuePtr(); }
    T&& value() && { return std::move(*valuePtr()); }
    T& operator*() & { return *valuePtr(); }
    const T& operator*() const& { return *valuePtr(); }
    T* operator->() { return valuePtr(); }
    const T* operator->() const { return valuePtr(); }

    // Why it failed; only when !ok() (likewise).
    const E& error() const& { return *checked(std::get_if<1>(&state_)); }
    E&& error() && { return std::move(*checked(std::get_if<1>(&state_))); }

  private:
    template <typename P>
    static P* checked(P* p) {
        if (!p) std::abort();
        return p;
    }
    T* valuePtr() { return checked(std::get_if<0>(&state_)); }
    const T* valuePtr() const { return checked(std::get_if<0>(&state_)); }

    std::variant<T, E> state_;
};

template <typename E>
class [[nodiscard]] Outcome<void, E> {
  public:
    Outcome() = default;
    template <typename F>
    requires std::is_constructible_v<E, F&&> Outcome(Failure<F> failure)
        : error_(std::move(failure.error)), failed_(true) {}

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }

    // Why it failed; only when !ok() (otherwise the process ends).
    const E& error() const& {
        if (!failed_) std::abort();
        return error_;
    }
    E&& error() && {
        if (!failed_) std::abort();
        return std::move(error_);
    }

  private:
    E error_{};
    bool failed_ = false;
};

using Status = Outcome<void>;

}  // namespace plazor
