// The core's texts are 8-bit Latin-1; these convert them to and from Qt's strings.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace fenlark::qt {

inline QString toQString(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Characters outside Latin-1 become "?", as the core cannot hold them.
inline std::string fromQString(const QString &text)
{
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// Multi-line texts: the core ends lines with CR LF, Qt's editors with LF alone.
QString toEditorText(std::string_view text);
std::string fromEditorText(const QString &text);

} // namespace fenlark::qt
