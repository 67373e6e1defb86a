#pragma once
// Texts between the interaction logic (UTF-8, CR LF line ends) and Qt widgets.

#include <QString>
#include <string>
#include <string_view>

namespace kv {

// UTF-8 to QString; CR LF becomes the line break widgets expect.
inline QString ToQt(std::string_view utf8) {
    QString s = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

inline std::string FromQt(const QString& s) {
    return s.toStdString();
}

}  // namespace kv
