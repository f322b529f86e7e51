#pragma once

#include <QByteArray>
#include <QCoreApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// What every fuzz target shares: the input as Qt bytes, a Qt application for the readers that
// need one, and a check that ends the run, so that libFuzzer keeps the input as a finding.

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

namespace fuzz {

inline QByteArray bytesOf(const std::uint8_t *data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

// Qt's image readers find their plugins through the application. Their warnings about each
// damaged input would only slow the run down.
inline void ensureApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    if (QCoreApplication::instance() == nullptr)
        new QCoreApplication(argc, argv);
}

} // namespace fuzz
