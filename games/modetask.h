// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <exception>
#include <functional>
#include <utility>

// The web build's C++ library (emscripten's libc++ 14) has coroutines only
// under their pre-standard name; the compiler takes either.
#if __has_include(<coroutine>)
#include <coroutine>
namespace modesupport {
using std::coroutine_handle;
using std::suspend_never;
} // namespace modesupport
#else
#include <experimental/coroutine>
namespace modesupport {
using std::experimental::coroutine_handle;
using std::experimental::suspend_never;
} // namespace modesupport
#endif

// A mode that runs from the application's event loop: a coroutine that
// starts at once, runs until it waits (for the clock's next tick, for a box's
// answer), returns to the event loop there and is resumed by what it awaited.
// A mode that never waits has run to its end when the call returns.
//
// The task owns the running mode. Destroying it before the end stops the
// mode where it waits: whatever would have resumed it is bound to the mode's
// `pending` object, which goes with it, so nothing resumes a mode that is gone.
class ModeTask
{
public:
    struct promise_type;
    using Handle = modesupport::coroutine_handle<promise_type>;

    struct promise_type
    {
        QObject pending;                  // the context of whatever will resume the mode
        std::function<void()> whenDone;   // called once the mode has run to its end
        bool done = false;

        ModeTask get_return_object() { return ModeTask(Handle::from_promise(*this)); }
        modesupport::suspend_never initial_suspend() noexcept { return {}; }
        auto final_suspend() noexcept
        {
            struct Finished
            {
                bool await_ready() noexcept { return false; }
                void await_suspend(Handle mode) noexcept
                {
                    mode.promise().done = true;
                    // The call may destroy the task, and this frame with it.
                    if (auto whenDone = std::exchange(mode.promise().whenDone, {}))
                        whenDone();
                }
                void await_resume() noexcept {}
            };
            return Finished{};
        }
        void return_void() noexcept {}
        void unhandled_exception() noexcept { std::terminate(); }
    };

    ModeTask() = default;
    ModeTask(ModeTask &&other) noexcept : m_mode(std::exchange(other.m_mode, {})) {}
    ModeTask &operator=(ModeTask &&other) noexcept
    {
        ModeTask gone(std::move(*this));
        m_mode = std::exchange(other.m_mode, {});
        return *this;
    }
    ~ModeTask()
    {
        if (m_mode)
            m_mode.destroy();
    }

    bool done() const { return !m_mode || m_mode.promise().done; }
    // Calls `whenDone` once the mode has run to its end; at once if it has.
    void whenDone(std::function<void()> whenDone)
    {
        if (done())
            whenDone();
        else
            m_mode.promise().whenDone = std::move(whenDone);
    }

private:
    explicit ModeTask(Handle mode) : m_mode(mode) {}
    Handle m_mode;
};

// Waits until `sender` emits `signal`, then goes on from the event loop (not
// from inside the emission, so the sender may be destroyed by what follows)
// with the signal's first argument. `start` runs once the mode waits: it is
// what makes the signal come (showing a box, say).
template <typename Sender, typename Argument>
class SignalAwaiter
{
public:
    using Signal = void (Sender::*)(Argument);
    SignalAwaiter(Sender &sender, Signal signal, std::function<void()> start)
        : m_sender(sender), m_signal(signal), m_start(std::move(start))
    {
    }

    bool await_ready() const noexcept { return false; }
    void await_suspend(ModeTask::Handle mode)
    {
        QObject::connect(
            &m_sender, m_signal, &mode.promise().pending,
            [this, mode](Argument value) mutable { // the web build's handle resumes only when not const
                m_value = value;
                mode.resume();
            },
            Qt::ConnectionType(Qt::QueuedConnection | Qt::SingleShotConnection));
        m_start();
    }
    Argument await_resume() const { return m_value; }

private:
    Sender &m_sender;
    Signal m_signal;
    std::function<void()> m_start;
    Argument m_value{};
};

// Waits for an answer handed to a callback: `start(context, answer)` starts
// what will answer (a box the window opens, say) and calls `answer` once,
// while `context` lives. The mode goes on from the event loop with the
// answer, never from inside the call.
template <typename Answer>
class CallbackAwaiter
{
public:
    using Start = std::function<void(QObject *context, std::function<void(Answer)> answer)>;
    explicit CallbackAwaiter(Start start) : m_start(std::move(start)) {}

    bool await_ready() const noexcept { return false; }
    void await_suspend(ModeTask::Handle mode)
    {
        QObject *context = &mode.promise().pending;
        m_start(context, [this, mode, context](Answer value) {
            m_value = std::move(value);
            // mutable: the web build's handle resumes only when not const.
            QMetaObject::invokeMethod(context, [mode]() mutable { mode.resume(); }, Qt::QueuedConnection);
        });
    }
    Answer await_resume() const { return m_value; }

private:
    Start m_start;
    Answer m_value{};
};
