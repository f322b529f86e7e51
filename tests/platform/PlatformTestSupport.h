#pragma once

#include "platform/PictureMemory.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include "support/QtPrinters.h"

#include <ostream>


inline void putBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A JPEG whose frame header claims another size (a hostile or damaged file); empty when it has
// no baseline frame header.
inline QByteArray withClaimedSize(QByteArray jpeg, int width, int height)
{
    const qsizetype frame = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    if (frame < 0)
        return {};
    const char size[4] = {char(height >> 8), char(height & 0xFF), char(width >> 8), char(width & 0xFF)};
    jpeg.replace(frame + 5, 4, QByteArray(size, 4));
    return jpeg;
}

// Gives the picture loader no more than this much memory while it lives.
class MemoryCap
{
public:
    explicit MemoryCap(qint64 bytes) { jigsaw::picture::setMemoryCap(bytes); }
    ~MemoryCap() { jigsaw::picture::setMemoryCap(0); }
    MemoryCap(const MemoryCap &) = delete;
    MemoryCap &operator=(const MemoryCap &) = delete;
};
