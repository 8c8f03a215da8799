// Runs a function once at the next turn of the event loop, however often it was asked for before:
// a model that changes a text thousands of times inside one handler repaints its widget once.
#pragma once

#include <QObject>

#include <functional>

namespace fenlark::qt {

class DeferredCall : public QObject {
public:
    DeferredCall(QObject *parent, std::function<void()> function)
        : QObject(parent), m_function(std::move(function))
    {
    }

    void request()
    {
        if (m_pending)
            return;
        m_pending = true;
        // Queued on this object: the call is dropped if the object is gone by then.
        QMetaObject::invokeMethod(
            this, [this] { runNow(); }, Qt::QueuedConnection);
    }
    // Runs the function now if a call is pending (the queued call then does nothing).
    void runNow()
    {
        if (!m_pending)
            return;
        m_pending = false;
        m_function();
    }
    bool pending() const { return m_pending; }

private:
    std::function<void()> m_function;
    bool m_pending = false;
};

} // namespace fenlark::qt
