// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QThread>

#include <functional>
#include <utility>

// A thread that runs one function. QThread::create() would do the same, but
// it hands a std::future to Qt's library, which does not link when the
// program is built with another C++ library (libc++) than Qt was.
class FunctionThread : public QThread
{
public:
    explicit FunctionThread(std::function<void()> work) : m_work(std::move(work)) {}

protected:
    void run() override { m_work(); }

private:
    std::function<void()> m_work;
};
