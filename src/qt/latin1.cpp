#include "qt/latin1.h"

namespace fenlark::qt {

QString toEditorText(std::string_view text)
{
    QString out = toQString(text);
    out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return out;
}

std::string fromEditorText(const QString &text)
{
    QString out = text;
    out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    out.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return fromQString(out);
}

} // namespace fenlark::qt
