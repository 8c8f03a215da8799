// A SoapySDR module whose one device plays a raw cf32 IQ file ("driver=fenlarkfile,file=PATH"),
// so that the SDR input can be tested through SoapySDR itself where no SDR is plugged in. The
// device keeps the tuning it is given; once the file is played it answers every read with a
// timeout, as a device that has stopped delivering does.
#include <SoapySDR/Device.hpp>
#include <SoapySDR/Formats.hpp>
#include <SoapySDR/Registry.hpp>

#include <complex>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

class FileDevice : public SoapySDR::Device {
public:
    explicit FileDevice(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
        m_samples.resize(bytes.size() / sizeof(std::complex<float>));
        std::memcpy(m_samples.data(), bytes.data(), m_samples.size() * sizeof(std::complex<float>));
    }

    std::string getDriverKey() const override { return "fenlarkfile"; }
    size_t getNumChannels(const int) const override { return 1; }

    void setSampleRate(const int, const size_t, const double rate) override { m_rate = rate; }
    double getSampleRate(const int, const size_t) const override { return m_rate; }
    void setFrequency(const int, const size_t, const double hz, const SoapySDR::Kwargs&) override
    {
        m_centre = hz;
    }
    double getFrequency(const int, const size_t) const override { return m_centre; }

    SoapySDR::Stream* setupStream(const int, const std::string& format, const std::vector<size_t>&,
                                  const SoapySDR::Kwargs&) override
    {
        if (format != SOAPY_SDR_CF32)
            throw std::runtime_error("only CF32 here");
        return reinterpret_cast<SoapySDR::Stream*>(this);
    }
    void closeStream(SoapySDR::Stream*) override {}
    int activateStream(SoapySDR::Stream*, const int, const long long, const size_t) override
    {
        return 0;
    }
    int readStream(SoapySDR::Stream*, void* const* buffers, const size_t count, int& flags,
                   long long&, const long) override
    {
        flags = 0;
        const size_t n = std::min(count, m_samples.size() - m_read);
        if (n == 0)
            return SOAPY_SDR_TIMEOUT;
        std::memcpy(buffers[0], m_samples.data() + m_read, n * sizeof(std::complex<float>));
        m_read += n;
        return static_cast<int>(n);
    }

private:
    std::vector<std::complex<float>> m_samples;
    size_t m_read = 0;
    double m_rate = 0;
    double m_centre = 0;
};

SoapySDR::KwargsList findFileDevice(const SoapySDR::Kwargs& args)
{
    const auto driver = args.find("driver");
    const auto file = args.find("file");
    if (driver == args.end() || driver->second != "fenlarkfile" || file == args.end())
        return {};
    return {{{"driver", "fenlarkfile"}, {"file", file->second}, {"label", "IQ file"}}};
}

SoapySDR::Device* makeFileDevice(const SoapySDR::Kwargs& args)
{
    return new FileDevice(args.at("file"));
}

const SoapySDR::Registry registration("fenlarkfile", &findFileDevice, &makeFileDevice,
                                      SOAPY_SDR_ABI_VERSION);

} // namespace
