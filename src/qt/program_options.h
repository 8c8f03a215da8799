// The fenlark executable's command line: every option of the desktop program and of the headless
// driver, read with QCommandLineParser from one table, and the help and version texts.
#pragma once

#include "headless/headless_main.h"
#include "qt/inputs/receiver_input.h"
#include "recordings/decode_recording.h"

#include <optional>

#include <string>
#include <vector>

namespace fenlark::qt {

struct ProgramOptions {
    bool help = false;
    bool version = false;
    bool headless = false;   // run the headless driver instead of the desktop program
    bool userFolder = false; // work in the per-user folder, made and filled when missing
    std::string dir;         // change to this folder first
    // the receiver's input for this run (at most one of them)
    std::string serial; // the device for every port number, instead of /dev/ttyS(N-1)
    std::string tcp;    // HOST:PORT of an NMEA server
    std::string udp;    // [ADDRESS:]PORT the NMEA datagrams are sent to
    bool udpShare = false; // the UDP port may be shared with other programs on this computer
    // FenLark's own decoder: a recording decoded to standard output, or an input it decodes
    std::string decode;    // the recording to decode
    std::string audioFile; // a recording of a receiver's audio
    std::string iqFile;    // an IQ recording
    std::string audio;     // a sound card, or "default"
    std::string sdr;       // SoapySDR device arguments
    std::string rtlTcp;    // HOST:PORT of an rtl_tcp server
    bool iq = false;       // the recording to decode is IQ
    std::string format;    // a raw recording's sample format
    int rate = 0;          // a raw recording's rate, the sound card's or the SDR's
    double centreHz = 0;   // the radio frequency at the centre of IQ; 0 when not given
    int channelKhz = 0;    // the channel written out (IQ), or the receiver's channel (audio)
    std::optional<double> gainDb;
    std::optional<int> ppm;
    // desktop program
    std::string simulate; // a file a simulated receiver plays, instead of a serial device
    int simulateCps = 0;  // its characters per second; 0 for the default pace
    // headless driver (its `dir` is left empty: the working folder comes from the fields above)
    bool windows = false; // build the real windows offscreen
    headless::Options driver;
};

// Reads the options after the program's name; on a bad option returns the message. An option of
// the other mode is refused: --script without --headless, --simulate with it.
std::string parseProgramOptions(const std::vector<std::string> &args, ProgramOptions &options);

// The receiver's input that --serial, --tcp, --udp or a decoder's input option gives for this
// run; none without them.
std::optional<ReceiverChoice> receiverChoice(const ProgramOptions &options);

// What --decode is asked to do.
recordings::DecodeRequest decodeRequest(const ProgramOptions &options);

// Every option, one line each, under the two ways to start the program.
std::string programHelp();
// The program's name and version.
std::string programVersion();

} // namespace fenlark::qt
