#include "storage/log_format.h"

#include "common/delimited_reader.h"
#include "common/text.h"

namespace fenlark {

std::string formatLog(const std::vector<MessageRecord>& table, int count)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(count) * 600 + 8);
    auto line = [&out](std::string_view text) {
        out += text;
        out += "\r\n";
    };
    line(printedNumber(count));
    for (int i = 0; i < count; ++i) {
        const MessageRecord& r = table[static_cast<std::size_t>(i)];
        line(r.lastrx.text());
        line(r.firstrx.text());
        line(r.msgid);
        line(printedNumber(r.errcount));
        line(printedNumber(r.spare));
        line(printedNumber(r.rxcount));
        line(r.msgtext);
        line("NNNN");
    }
    return out;
}

namespace {

struct LogParser {
    DelimitedReader in;
    LogRead result;

    bool fail(int line, std::string problem)
    {
        result.line = line;
        result.problem = std::move(problem);
        result.records.clear();
        return false;
    }

    bool field(std::string& value, const char* what, int record)
    {
        const int line = in.lineNumber();
        auto read = in.field();
        if (!read)
            return fail(line, std::string("the file ends before the ") + what + " of record " +
                                  std::to_string(record + 1));
        value = std::move(*read);
        return true;
    }

    bool date(DateTime& value, const char* what, int record)
    {
        const int line = in.lineNumber();
        std::string text;
        if (!field(text, what, record))
            return false;
        const auto parsed = DateTime::parse(text);
        if (!parsed)
            return fail(line, "\"" + text + "\" is not a date and time (" + what + " of record " +
                                  std::to_string(record + 1) + ")");
        value = *parsed;
        return true;
    }

    bool number(std::int16_t& value, const char* what, int record)
    {
        const int line = in.lineNumber();
        std::string text;
        if (!field(text, what, record))
            return false;
        const auto parsed = parseInt16(text);
        if (!parsed)
            return fail(line, "\"" + text + "\" is not a whole number (" + what + " of record " +
                                  std::to_string(record + 1) + ")");
        value = static_cast<std::int16_t>(*parsed);
        return true;
    }

    // The identifier stands alone on its line, whatever it holds (commas, quotes, blanks).
    bool wholeLine(std::string& value, const char* what, int record)
    {
        auto read = in.line();
        if (!read)
            return fail(in.lineNumber(), std::string("the file ends before the ") + what +
                                             " of record " + std::to_string(record + 1));
        value = std::move(*read);
        return true;
    }

    bool receptions(std::int16_t& value, int record)
    {
        const int line = in.lineNumber();
        if (!number(value, "reception count", record))
            return false;
        if (value < 1)
            return fail(line, "a message received " + std::to_string(value) +
                                  " times cannot be (reception count of record " +
                                  std::to_string(record + 1) + ")");
        return true;
    }

    // The body starts after the empty line that its leading CR LF gives; every further line, empty
    // ones included, is a body line, until "NNNN".
    bool body(std::string& text, int record)
    {
        for (bool first = true;; first = false) {
            const auto line = in.line();
            if (!line)
                return fail(in.lineNumber(), "the file ends before the \"NNNN\" of record " +
                                                 std::to_string(record + 1));
            if (*line == "NNNN")
                return true;
            if (first && line->empty())
                continue;
            text += "\r\n";
            text += *line;
        }
    }

    bool run()
    {
        std::string countText;
        const int countLine = in.lineNumber();
        if (auto read = in.field())
            countText = std::move(*read);
        else
            return fail(countLine, "the file is empty");
        const auto count = parseInt16(countText);
        if (!count)
            return fail(countLine, "\"" + countText + "\" is not a number of messages");
        if (*count < 0 || *count > kTableSlots)
            return fail(countLine, "it announces " + std::to_string(*count) +
                                       " messages; a log holds 0 to " +
                                       std::to_string(kTableSlots));
        result.records.resize(static_cast<std::size_t>(*count));
        for (int i = 0; i < *count; ++i) {
            MessageRecord& r = result.records[static_cast<std::size_t>(i)];
            if (!date(r.lastrx, "last reception", i) || !date(r.firstrx, "first reception", i) ||
                !wholeLine(r.msgid, "identifier", i) || !number(r.errcount, "error count", i) ||
                !number(r.spare, "spare field", i) || !receptions(r.rxcount, i) ||
                !body(r.msgtext, i))
                return false;
        }
        return true;
    }
};

} // namespace

LogRead parseLog(std::string_view bytes)
{
    LogParser parser{DelimitedReader(bytes), {}};
    parser.run();
    return std::move(parser.result);
}

} // namespace fenlark
