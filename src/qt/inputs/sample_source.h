// A source of radio samples for FenLark's own decoder: a recording, a sound card, an SDR, or an
// rtl_tcp server. It hands its samples to a listener on the user-interface thread.
#pragma once

#include <complex>
#include <functional>
#include <span>
#include <string>

namespace fenlark::qt {

// What a source delivers: real audio (an SSB receiver's sound) or complex baseband around
// `centreHz`.
struct SampleFormat {
    double sampleRateHz = 0;
    bool iq = false;
    double centreHz = 0; // IQ: the radio frequency at 0 Hz
    friend bool operator==(const SampleFormat &, const SampleFormat &) = default;
};

class SampleSource {
public:
    struct Listener {
        // Delivering from now on, in this format (told again after every start).
        std::function<void(const SampleFormat &)> up;
        std::function<void(std::span<const float>)> audio;
        std::function<void(std::span<const std::complex<float>>)> iq;
        // Stopped delivering, or could not start: the device is gone or refused, the server is
        // unreachable or closed the connection. Told at most once per start.
        std::function<void(const std::string &reason)> down;
        // A recording's last sample has been delivered.
        std::function<void()> ended;
    };

    virtual ~SampleSource() = default;
    // How the operator knows the source ("rtl_tcp 192.168.1.5:1234").
    virtual std::string name() const = 0;
    // Starts delivering, or tries again after a down(). Never throws: a failure comes as down(),
    // perhaps later.
    virtual void start() = 0;
    // Stops delivering; nothing is told.
    virtual void stop() = 0;

    void setListener(Listener listener) { m_listener = std::move(listener); }

protected:
    void up(const SampleFormat &format)
    {
        if (m_listener.up)
            m_listener.up(format);
    }
    void deliver(std::span<const float> samples)
    {
        if (m_listener.audio)
            m_listener.audio(samples);
    }
    void deliver(std::span<const std::complex<float>> samples)
    {
        if (m_listener.iq)
            m_listener.iq(samples);
    }
    void down(const std::string &reason)
    {
        if (m_listener.down)
            m_listener.down(reason);
    }
    void ended()
    {
        if (m_listener.ended)
            m_listener.ended();
    }

private:
    Listener m_listener;
};

} // namespace fenlark::qt
