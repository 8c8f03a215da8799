// The received streams, one per channel of the receiver's input, each framed apart from the others:
// its own line ends, half line, and messages in progress (plain text, and NRX sentences apart).
#pragma once

#include "common/message_figures.h"
#include "nmea/sentence_decoder.h"
#include "reception/line_ends.h"

#include <map>
#include <string>

namespace fenlark {

// The message framing of one source of text: the reception variables filing works on (see State),
// parked here while the source is not being filed.
struct Framing {
    std::string rxbuffer;
    bool inmessage = false;
    std::string curid;
    std::string curtext;
    long long msgerrors = 0;
    int curfrequency = 0;
    MessageFigures curfigures;
};

struct ReceivedStream {
    LineEnds lineEnds;
    unsigned opening = 0;    // the port's opening the line ends belong to
    bool startKnown = false; // `start` is that of the bytes received in this opening
    unsigned start = 0;
    bool sentenceLine = false; // the line in progress shows a sentence's start: $, ! or a tag block
    Framing plain;             // channel 0's plain text is the state's own reception variables
    Framing nrx;
    nmea::SentenceDecoder sentences;
};

class ReceivedStreams {
public:
    // The stream of a channel, made when first received.
    ReceivedStream& at(int channel) { return m_streams[channel]; }
    // The counts of every channel's sentences together.
    nmea::SentenceDecoder::Counts sentenceCounts() const
    {
        nmea::SentenceDecoder::Counts all;
        for (const auto& [channel, stream] : m_streams) {
            const auto& c = stream.sentences.counts();
            all.messages += c.messages;
            all.ignored += c.ignored;
            all.droppedSentences += c.droppedSentences;
            all.droppedMessages += c.droppedMessages;
        }
        return all;
    }

private:
    std::map<int, ReceivedStream> m_streams;
};

} // namespace fenlark
