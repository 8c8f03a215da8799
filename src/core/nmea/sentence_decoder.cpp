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

} // namespace

void SentenceDecoder::feed(std::string_view sentence, Output& out)
{
    const auto body = checkedBody(sentence);
    if (!body) {
        ++m_counts.droppedSentences;
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
    if (!total || !number || !id || *total < 1 || *total > kMaxSentences || *number < 1 ||
        *number > *total || *id > 99 || !appendUnescaped(fields[13], m_text)) {
        ++m_counts.droppedSentences;
        return;
    }
    m_key = "$";
    m_key += talker;
    m_key += std::to_string(*id);
    add({m_key, fields[4], *number, *total, fields[12] == "V"}, out);
}

void SentenceDecoder::feedLegacy(const std::string_view* fields, Output& out)
{
    const auto line = digitsValue(fields[2]);
    const auto lines = digitsValue(fields[3]);
    if (!line || !lines || *lines < 1 || *lines > kMaxSentences || *line < 1 || *line > *lines) {
        ++m_counts.droppedSentences;
        return;
    }
    // One line of text per sentence, taken as it stands.
    m_text.assign(fields[10]);
    m_text += "\r\n";
    m_key = "#";
    m_key += fields[1];
    add({m_key, fields[1], *line, *lines, false}, out);
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
            std::string(part.key), std::string(part.code), part.total, 2, part.noProperEnd, m_text};
        if (part.total == 1) {
            finish(message, out);
            return;
        }
        if (m_pending.size() >= kMaxPending)
            drop(0, Drop::Crowded, out);
        m_pending.push_back(std::move(message));
        return;
    }
    if (found == m_pending.end() || found->next != part.number || found->total != part.total) {
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
    if (message.noProperEnd) {
        out.dropped.push_back({Drop::NoProperEnd, message.code});
        ++m_counts.droppedMessages;
        return;
    }
    ++m_counts.messages;
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
