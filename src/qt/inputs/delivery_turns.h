// Hands a device's received bytes to the core in turns of the event loop, a small block at a time,
// so that no flood of input holds the window and its timers: a turn that has worked its time
// leaves the rest to the next turn.
#pragma once

#include "reception/input_buffer.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

namespace fenlark::qt {

class DeliveryTurns : public QObject {
public:
    // Work of one turn, after which the rest waits for the next turn of the event loop.
    static constexpr int kTurnMs = 20;
    // When the core read nothing in a turn (a handler of its own is running), the next turn comes
    // this much later, so that a long handler does not make the turns spin.
    static constexpr int kStalledMs = 50;

    // `take` moves the next small block of received bytes into `input` and returns whether any
    // moved; `arrived` tells the core (the device's inputArrived).
    DeliveryTurns(InputBuffer &input, std::function<bool()> take, std::function<void()> arrived,
                  QObject *parent)
        : QObject(parent), m_input(input), m_take(std::move(take)), m_arrived(std::move(arrived))
    {
        m_later.setSingleShot(true);
        connect(&m_later, &QTimer::timeout, this, [this] { run(); });
    }

    // A turn now: bytes are handed over block by block until none is left or the turn's time is
    // up; what is left comes in a later turn.
    void run()
    {
        m_later.stop();
        QElapsedTimer clock;
        clock.start();
        for (;;) {
            if (m_input.waiting() == 0 && !m_take())
                return;
            const std::size_t before = m_input.waiting();
            m_arrived();
            if (m_input.waiting() >= before) {
                m_later.start(kStalledMs);
                return;
            }
            if (clock.elapsed() >= kTurnMs) {
                m_later.start(0);
                return;
            }
        }
    }
    // No turn waits any more (the device closed).
    void stop() { m_later.stop(); }

private:
    InputBuffer &m_input;
    std::function<bool()> m_take;
    std::function<void()> m_arrived;
    QTimer m_later;
};

} // namespace fenlark::qt
