#include "nmea/sentence_decoder.h"

#include "nmea/sentence.h"
#include "reception/line_ends.h"
#include "reception/line_limits.h"

#include <algorithm>

namespace fenlark::nmea {
namespace {

// $--NRX,nnn,sss,qq,B1B2B3B4,f,hhmmss.ss,dd,mm,yyyy,ccc,bbb,s,text
constexpr std::size_t kStandardFields = 14;
// $NXNRX,B1B2B3B4,line,lines,freq,dd,mm,yyyy,hhmmss,error%,text
constexpr std::size_t kLegacyFields = 11;

// A NAVTEX message code: transmitter and subject letters, then a two-digit serial number.
bool isMessageCode(std::string_view code)
{
    auto letter = [](char c) { return c >= 'A' && c <= 'Z'; };
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    return code.size() == 4 && letter(code[0]) && letter(code[1]) && digit(code[2]) &&
           digit(code[3]);
}

// The frequency field of the standard sentence: 1 490 kHz, 2 518 kHz, 3 4209.5 kHz; 0 (not
// received over the air) and anything else are not a frequency.
int standardFrequency(std::string_view field)
{
    return field == "1" ? 490 : field == "2" ? 518 : field == "3" ? 4209 : 0;
}

// The legacy sentence names the frequency in kHz.
int legacyFrequency(std::string_view field)
{
    if (field == "4209.5")
        return 4209;
    const auto kHz = digitsValue(field);
    return kHz && (*kHz == 424 || *kHz == 490 || *kHz == 518 || *kHz == 4209) ? *kHz : 0;
}

} // namespace

void SentenceDecoder::feed(std::string_view sentence, Output& out, long long now)
{
    m_now = now;
    expire(out);
    const auto body = checkedBody(sentence);
    if (!body) {
        ++m_counts.droppedSentences;
        return;
    }
    // Some receivers and multiplexers send a sentence twice over: the copy is not another one.
    const bool repeated = sentence == m_last && now - m_lastAt <= kExpirySeconds;
    m_last.assign(sentence);
    m_lastAt = now;
    if (repeated) {
        ++m_counts.ignored;
        return;
    }
    std::string_view fields[kStandardFields];
    const std::size_t count = splitFields(*body, fields, kStandardFields);
    const std::string_view address = fields[0];
    if (sentence[0] != '$' || address.size() != 5 || address.substr(2) != "NRX") {
        ++m_counts.ignored;
        return;
    }
    const std::string_view talker = address.substr(0, 2);
    // The legacy sentence starts with the message code where the standard one has its count of
    // sentences, always three digits.
    if (talker == "NX" && !(fields[1].size() == 3 && digitsValue(fields[1]))) {
        if (splitFields(*body, fields, kLegacyFields) != kLegacyFields) {
            ++m_counts.droppedSentences;
            return;
        }
        feedLegacy(fields, out);
        return;
    }
    if (count != kStandardFields) {
        ++m_counts.droppedSentences;
        return;
    }
    feedStandard(talker, fields, out);
}

void SentenceDecoder::feedStandard(std::string_view talker, const std::string_view* fields,
                                   Output& out)
{
    const auto total = digitsValue(fields[1]);
    const auto number = digitsValue(fields[2]);
    const auto id = digitsValue(fields[3]);
    m_text.clear();
    // The code is read from a first sentence; an empty one is a null code, kept apart by its
    // talker and id until it is dropped whole.
    const std::string_view code = fields[4];
    if (!total || !number || !id || *total < 1 || *total > kMaxSentences || *number < 1 ||
        *number > *total || *id > 99 || (*number == 1 && !code.empty() && !isMessageCode(code)) ||
        !appendUnescaped(fields[13], m_text)) {
        ++m_counts.droppedSentences;
        return;
    }
    m_key = "$";
    m_key += talker;
    m_key += std::to_string(*id);
    const auto bad = digitsValue(fields[11]);
    add({m_key, code, *number, *total, fields[12] == "V", standardFrequency(fields[5]),
         bad.value_or(0)},
        out);
}

void SentenceDecoder::feedLegacy(const std::string_view* fields, Output& out)
{
    // After the first sentence only the code, the line number and the text are needed.
    const auto line = digitsValue(fields[2]);
    const auto lines =
        fields[3].empty() && line > 1 ? std::optional<int>(0) : digitsValue(fields[3]);
    m_text.clear();
    if (!isMessageCode(fields[1]) || !line || !lines || *lines > kMaxSentences || *line < 1 ||
        (*lines > 0 && *line > *lines) || (*line == 1 && *lines < 1) ||
        !appendUnescaped(fields[10], m_text)) {
        ++m_counts.droppedSentences;
        return;
    }
    // One line of text per sentence.
    m_text += "\r\n";
    m_key = "#";
    m_key += fields[1];
    add({m_key, fields[1], *line, *lines, false, legacyFrequency(fields[4]), 0}, out);
}

void SentenceDecoder::expire(Output& out)
{
    for (std::size_t i = 0; i < m_pending.size();) {
        const long long waited = m_now - m_pending[i].lastSeen;
        if (waited > kExpirySeconds || waited < -kExpirySeconds)
            drop(i, Drop::SentenceLost, out);
        else
            ++i;
    }
}

void SentenceDecoder::add(const Part& part, Output& out)
{
    auto found = std::find_if(m_pending.begin(), m_pending.end(),
                              [&](const Pending& p) { return p.key == part.key; });
    if (part.number == 1) {
        // A new start ends whatever was pending under the same key.
        if (found != m_pending.end())
            drop(static_cast<std::size_t>(found - m_pending.begin()), Drop::SentenceLost, out);
        Pending message{
            std::string(part.key), std::string(part.code), part.total, 2,     part.noProperEnd,
            part.frequency,        part.badCharacters,     m_now,      m_text};
        if (part.total == 1) {
            finish(message, out);
            return;
        }
        if (m_pending.size() >= kMaxPending)
            drop(0, Drop::Crowded, out);
        m_pending.push_back(std::move(message));
        return;
    }
    if (found == m_pending.end() || found->next != part.number ||
        (part.total != 0 && found->total != part.total)) {
        if (found != m_pending.end())
            drop(static_cast<std::size_t>(found - m_pending.begin()), Drop::SentenceLost, out);
        ++m_counts.droppedSentences;
        return;
    }
    const auto index = static_cast<std::size_t>(found - m_pending.begin());
    if (found->text.size() + m_text.size() > kMaxBodyLength) {
        drop(index, Drop::TooLong, out);
        return;
    }
    found->text += m_text;
    found->noProperEnd = found->noProperEnd || part.noProperEnd;
    found->badCharacters = std::max(found->badCharacters, part.badCharacters);
    found->lastSeen = m_now;
    if (found->next++ < found->total)
        return;
    Pending message = std::move(*found);
    m_pending.erase(found);
    finish(message, out);
}

void SentenceDecoder::drop(std::size_t index, Drop why, Output& out)
{
    out.dropped.push_back({why, m_pending[index].code});
    ++m_counts.droppedMessages;
    m_pending.erase(m_pending.begin() + static_cast<std::ptrdiff_t>(index));
}

void SentenceDecoder::finish(Pending& message, Output& out)
{
    if (message.noProperEnd || message.code.empty()) {
        out.dropped.push_back(
            {message.code.empty() ? Drop::NoCode : Drop::NoProperEnd, message.code});
        ++m_counts.droppedMessages;
        return;
    }
    ++m_counts.messages;
    out.frequency = message.frequency;
    out.badCharacters = message.badCharacters;
    out.stars = std::count(message.text.begin(), message.text.end(), '*');
    out.lines.push_back("ZCZC " + message.code);
    // The text's lines as a plain-text receiver sends them: its line breaks follow the rule of a
    // received stream, other control characters are dropped, and a line past the line limit is
    // cut into pieces as received lines are.
    LineEnds ends;
    std::string line;
    for (const char c : message.text) {
        if (ends.endsLine(c)) {
            out.lines.push_back(std::move(line));
            line.clear();
        } else if (static_cast<unsigned char>(c) >= 32) {
            if (line.size() >= kMaxLineLength) {
                out.lines.push_back(std::move(line));
                line.clear();
            }
            line += c;
        }
    }
    if (!line.empty())
        out.lines.push_back(std::move(line));
    out.lines.push_back("NNNN");
}

} // namespace fenlark::nmea
