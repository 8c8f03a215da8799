// The bytes a serial device has received and not yet handed over, read from the front, each tagged
// with its source: the channel it belongs to, that channel's frequency and stream start.
#pragma once

#include "common/message_figures.h"
#include "forms/ports.h"

#include <cstddef>
#include <deque>
#include <map>
#include <string>
#include <string_view>

namespace fenlark {

class InputBuffer {
public:
    // Bytes of the device's one stream: channel 0, frequency unknown.
    void append(std::string_view bytes) { append(0, bytes, 0); }
    // Bytes of `channel`, received on `frequency` (kHz as the station files name it; 0 unknown).
    void append(int channel, std::string_view bytes, int frequency)
    {
        if (bytes.empty())
            return;
        // Drop what was read once it is half the buffer, so reading stays cheap and memory bounded.
        if (m_read > 0 && m_read >= m_bytes.size() / 2) {
            m_bytes.erase(0, m_read);
            m_base += m_read;
            m_read = 0;
        }
        m_bytes.append(bytes);
        const InputSource source{channel, frequency, m_starts[channel]};
        if (!m_runs.empty() && m_runs.back().source == source)
            m_runs.back().end = end();
        else
            m_runs.push_back({end(), source, false, {}});
    }
    // The channel's stream starts afresh with the next byte appended to it.
    void restart(int channel) { ++m_starts[channel]; }
    // The channel's figures for its message in progress, from the next byte appended on: the
    // message its next end line files gets the latest figures given before that line's end.
    void setFigures(int channel, MessageFigures figures)
    {
        if (waiting() == 0) {
            m_readFigures[channel] = std::move(figures);
            return;
        }
        const int frequency = lastFrequency(channel);
        m_runs.push_back(
            {end(), {channel, frequency, m_starts[channel]}, true, std::move(figures)});
    }

    std::size_t waiting() const { return m_bytes.size() - m_read; }
    // Removes and returns up to `max` bytes from the front, all of one source.
    std::string read(std::size_t max)
    {
        std::size_t n = max < waiting() ? max : waiting();
        if (!m_runs.empty() && m_runs.front().end - readPosition() < n)
            n = m_runs.front().end - readPosition();
        std::string out = m_bytes.substr(m_read, n);
        m_read += n;
        settle();
        if (m_read == m_bytes.size()) {
            m_base += m_read;
            m_bytes.clear();
            m_read = 0;
        }
        return out;
    }
    // The source of the bytes the next read returns.
    InputSource source() const { return m_runs.empty() ? InputSource{} : m_runs.front().source; }
    // The latest figures the channel gave before the bytes read so far.
    MessageFigures figures(int channel) const
    {
        const auto found = m_readFigures.find(channel);
        return found == m_readFigures.end() ? MessageFigures{} : found->second;
    }
    // Drops every byte not read yet (a closed line).
    void clear()
    {
        m_base += m_bytes.size();
        m_bytes.clear();
        m_read = 0;
        m_runs.clear();
    }

private:
    struct Run {
        std::size_t end; // position one past its last byte
        InputSource source;
        bool hasFigures; // figures that apply once reading reaches the run
        MessageFigures figures;
    };

    // Positions count every byte ever appended, so that runs keep theirs when the front is dropped.
    std::size_t end() const { return m_base + m_bytes.size(); }
    std::size_t readPosition() const { return m_base + m_read; }
    int lastFrequency(int channel) const
    {
        for (auto run = m_runs.rbegin(); run != m_runs.rend(); ++run)
            if (run->source.channel == channel)
                return run->source.frequency;
        return 0;
    }
    // Takes the figures of the run now at the front, and drops the runs read whole.
    void settle()
    {
        while (!m_runs.empty()) {
            Run& front = m_runs.front();
            if (front.hasFigures) {
                m_readFigures[front.source.channel] = std::move(front.figures);
                front.hasFigures = false;
            }
            if (readPosition() < front.end)
                break;
            m_runs.pop_front();
        }
    }

    std::string m_bytes;
    std::size_t m_read = 0; // bytes at the front already read
    std::size_t m_base = 0; // position of m_bytes[0]
    std::deque<Run> m_runs; // of the bytes not read yet, in order
    std::map<int, unsigned> m_starts;
    std::map<int, MessageFigures> m_readFigures;
};

} // namespace fenlark
