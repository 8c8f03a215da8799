#include "qt/inputs/sdr_source.h"

#include "qt/latin1.h"

#include <SoapySDR/Device.hpp>
#include <SoapySDR/Errors.hpp>
#include <SoapySDR/Formats.hpp>

#include <QMetaObject>

namespace fenlark::qt {
namespace {

constexpr std::size_t kBlockSamples = 16384;
// Blocks waiting for the user-interface thread; beyond, the reader waits (and the device drops).
constexpr std::size_t kMostBlocks = 64;
constexpr long kReadTimeoutUs = 200000;
// Reads that time out in a row before the device counts as gone (2 seconds of nothing).
constexpr int kTimeoutsGone = 10;

std::string reasonOf(const std::exception &e)
{
    return e.what();
}

} // namespace

std::vector<SdrSource::Found> SdrSource::devices()
{
    std::vector<Found> found;
    for (const SoapySDR::Kwargs &device : SoapySDR::Device::enumerate()) {
        SoapySDR::Kwargs key;
        for (const char *name : {"driver", "serial"})
            if (device.count(name))
                key[name] = device.at(name);
        const auto label = device.find("label");
        found.push_back({QString::fromStdString(SoapySDR::KwargsToString(key)),
                         QString::fromStdString(label != device.end()
                                                    ? label->second
                                                    : SoapySDR::KwargsToString(device))});
    }
    return found;
}

SdrSource::SdrSource(QString args, TunerSettings tuner, QObject *parent)
    : QObject(parent), m_args(std::move(args)), m_tuner(tuner)
{
}

SdrSource::~SdrSource()
{
    stop();
}

std::string SdrSource::name() const
{
    return m_args.isEmpty() ? "the SDR" : "the SDR \"" + fromQString(m_args) + "\"";
}

void SdrSource::start()
{
    stop();
    try {
        open();
    } catch (const std::exception &e) {
        stop();
        down(reasonOf(e));
        return;
    }
    m_stopping = false;
    m_failure.clear();
    m_reader = std::thread([this] { readLoop(); });
    up({m_device->getSampleRate(SOAPY_SDR_RX, 0), true, m_device->getFrequency(SOAPY_SDR_RX, 0)});
}

void SdrSource::open()
{
    const std::string args = fromQString(m_args);
    if (SoapySDR::Device::enumerate(args).empty())
        throw std::runtime_error(
            m_args.isEmpty()
                ? "SoapySDR finds no SDR (is it plugged in, and is its SoapySDR module installed, "
                  "such as soapysdr-module-rtlsdr?)"
                : "SoapySDR finds no SDR that matches \"" + args + "\"");
    m_device = SoapySDR::Device::make(args);
    m_device->setSampleRate(SOAPY_SDR_RX, 0, m_tuner.sampleRateHz);
    m_device->setFrequency(SOAPY_SDR_RX, 0, m_tuner.centreHz);
    if (m_tuner.ppm != 0 && m_device->hasFrequencyCorrection(SOAPY_SDR_RX, 0))
        m_device->setFrequencyCorrection(SOAPY_SDR_RX, 0, m_tuner.ppm);
    if (m_device->hasGainMode(SOAPY_SDR_RX, 0))
        m_device->setGainMode(SOAPY_SDR_RX, 0, !m_tuner.gainDb);
    if (m_tuner.gainDb)
        m_device->setGain(SOAPY_SDR_RX, 0, *m_tuner.gainDb);
    m_stream = m_device->setupStream(SOAPY_SDR_RX, SOAPY_SDR_CF32);
    if (const int status = m_device->activateStream(m_stream); status != 0)
        throw std::runtime_error(std::string("its stream cannot start: ") +
                                 SoapySDR::errToStr(status));
}

void SdrSource::stop()
{
    if (m_reader.joinable()) {
        m_stopping = true;
        m_space.notify_all();
        m_reader.join();
    }
    if (m_device && m_stream) {
        m_device->deactivateStream(m_stream);
        m_device->closeStream(m_stream);
    }
    if (m_device)
        SoapySDR::Device::unmake(m_device);
    m_device = nullptr;
    m_stream = nullptr;
    std::lock_guard lock(m_mutex);
    m_blocks.clear();
}

void SdrSource::readLoop()
{
    std::vector<std::complex<float>> block(kBlockSamples);
    int timeouts = 0;
    while (!m_stopping) {
        void *buffers[] = {block.data()};
        int flags = 0;
        long long timeNs = 0;
        const int got =
            m_device->readStream(m_stream, buffers, block.size(), flags, timeNs, kReadTimeoutUs);
        if (got == SOAPY_SDR_TIMEOUT && ++timeouts < kTimeoutsGone)
            continue;
        if (got == SOAPY_SDR_OVERFLOW) {
            ++m_overflows;
            continue;
        }
        std::unique_lock lock(m_mutex);
        if (got < 0) {
            m_failure = got == SOAPY_SDR_TIMEOUT ? "it delivers no samples"
                                                 : std::string("reading from it failed: ") +
                                                       SoapySDR::errToStr(got);
        } else {
            timeouts = 0;
            m_space.wait(lock, [this] { return m_stopping || m_blocks.size() < kMostBlocks; });
            m_blocks.emplace_back(block.begin(), block.begin() + got);
        }
        if (m_blocks.size() == 1 || !m_failure.empty())
            QMetaObject::invokeMethod(this, [this] { drain(); }, Qt::QueuedConnection);
        if (!m_failure.empty())
            return;
    }
}

void SdrSource::drain()
{
    for (;;) {
        std::vector<std::complex<float>> block;
        std::string failure;
        {
            std::lock_guard lock(m_mutex);
            if (m_blocks.empty()) {
                failure = m_failure;
            } else {
                block = std::move(m_blocks.front());
                m_blocks.pop_front();
            }
        }
        m_space.notify_one();
        if (block.empty()) {
            if (!failure.empty() && m_reader.joinable()) {
                stop();
                down(failure);
            }
            return;
        }
        deliver(std::span<const std::complex<float>>(block));
    }
}

} // namespace fenlark::qt
