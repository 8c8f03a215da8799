// fenlark-sitormeasure: measures the NAVTEX decoder on simulated receptions.
#include "messages.h"
#include "score.h"
#include "trial.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

using namespace fenlark::sitorsim;

int main(int argc, char** argv)
{
    Conditions c;
    int characters = 400;
    bool show = false;
    for (int i = 1; i < argc; ++i) {
        auto arg = [&](const char* name) { return std::strcmp(argv[i], name) == 0 && i + 1 < argc; };
        if (arg("--snr")) c.snrDb = std::atof(argv[++i]);
        else if (arg("--rate")) c.sampleRateHz = std::atof(argv[++i]);
        else if (arg("--centre")) c.centreHz = std::atof(argv[++i]);
        else if (arg("--offset")) c.offsetHz = std::atof(argv[++i]);
        else if (arg("--drift")) c.driftHzPerMinute = std::atof(argv[++i]);
        else if (arg("--clock")) c.clockError = std::atof(argv[++i]);
        else if (arg("--seed")) c.seed = static_cast<unsigned>(std::atoi(argv[++i]));
        else if (arg("--phasing")) c.phasingSeconds = std::atof(argv[++i]);
        else if (arg("--chars")) characters = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--reversed") == 0) c.reversed = true;
        else if (std::strcmp(argv[i], "--fading") == 0) c.fading = true;
        else if (std::strcmp(argv[i], "--iq") == 0) c.iq = true;
        else if (std::strcmp(argv[i], "--show") == 0) show = true;
    }
    std::mt19937 random(c.seed);
    const std::string message = makeMessage(random, characters);
    const Reception r = receive(message, c);
    const Score s = score(message, r.text);
    if (show)
        std::printf("%s\n----\n", r.text.c_str());
    std::printf("cer %.4f errors %lld wrong %lld sent %lld first %.2f\n", s.cer(), s.errors,
                s.wrongShown, s.sent, r.firstCharacterSeconds);
}
