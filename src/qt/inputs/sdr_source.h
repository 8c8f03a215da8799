// An SDR through SoapySDR (any device it has a module for): tuned, its IQ samples read on a
// thread of their own and handed to the user-interface thread in blocks.
#pragma once

#include "qt/inputs/sample_source.h"
#include "qt/inputs/tuner_settings.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace SoapySDR {
class Device;
class Stream;
} // namespace SoapySDR

namespace fenlark::qt {

class SdrSource : public QObject, public SampleSource {
public:
    // An SDR that SoapySDR finds: its device arguments ("driver=rtlsdr,serial=00000001") and how
    // it is called.
    struct Found {
        QString args;
        QString label;
    };
    // Every SDR SoapySDR finds now.
    static std::vector<Found> devices();

    // `args`: SoapySDR device arguments ("driver=rtlsdr,direct_samp=2"); empty for the first
    // device found.
    SdrSource(QString args, TunerSettings tuner, QObject *parent = nullptr);
    ~SdrSource() override;

    std::string name() const override;
    void start() override;
    void stop() override;
    // Blocks the device had to drop because they were not read in time.
    long long overflows() const { return m_overflows; }

private:
    void open();
    void readLoop();
    void drain();

    QString m_args;
    TunerSettings m_tuner;
    SoapySDR::Device *m_device = nullptr;
    SoapySDR::Stream *m_stream = nullptr;
    std::thread m_reader;
    std::atomic<bool> m_stopping = false;
    std::atomic<long long> m_overflows = 0;
    std::mutex m_mutex;
    std::condition_variable m_space;
    std::deque<std::vector<std::complex<float>>> m_blocks; // read, not yet handed over
    std::string m_failure;                                 // why reading stopped
};

} // namespace fenlark::qt
