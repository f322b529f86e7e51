#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <ostream>

// Lets GoogleTest print Qt values readably in failure messages.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList &list, std::ostream *os) { PrintTo(list.join(u'|'), os); }
inline void PrintTo(const QByteArray &bytes, std::ostream *os) { *os << bytes.toHex(' ').data(); }
