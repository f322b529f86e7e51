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

// Gives the picture loader no more than this much memory while it lives.
class MemoryCap
{
public:
    explicit MemoryCap(qint64 bytes) { jigsaw::picture::setMemoryCap(bytes); }
    ~MemoryCap() { jigsaw::picture::setMemoryCap(0); }
    MemoryCap(const MemoryCap &) = delete;
    MemoryCap &operator=(const MemoryCap &) = delete;
};
