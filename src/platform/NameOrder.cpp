#include "NameOrder.h"

#include <algorithm>

namespace jigsaw::names {

namespace {

// The run of digits starting at from, as its digit values without leading zeros ("0" for a
// run of zeros), and where the run ends.
QString digitRun(const QString &text, qsizetype from, qsizetype &end)
{
    QString digits;
    end = from;
    while (end < text.size() && text[end].isDigit()) {
        const int value = text[end].digitValue();
        if (!digits.isEmpty() || value != 0)
            digits.append(QChar(u'0' + value));
        ++end;
    }
    return digits.isEmpty() ? QStringLiteral("0") : digits;
}

int compareNaturally(const QString &a, const QString &b)
{
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype endA = 0;
            qsizetype endB = 0;
            const QString numberA = digitRun(a, i, endA);
            const QString numberB = digitRun(b, j, endB);
            if (numberA.size() != numberB.size())
                return numberA.size() < numberB.size() ? -1 : 1;
            if (const int order = numberA.compare(numberB); order != 0)
                return order;
            i = endA;
            j = endB;
            continue;
        }
        const char32_t foldedA = a[i].toCaseFolded().unicode();
        const char32_t foldedB = b[j].toCaseFolded().unicode();
        if (foldedA != foldedB)
            return foldedA < foldedB ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size())
        return i < a.size() ? 1 : -1;
    return a.compare(b);
}

} // namespace

bool naturalLess(const QString &a, const QString &b)
{
    return compareNaturally(a, b) < 0;
}

void sortNaturally(QStringList &list)
{
    std::stable_sort(list.begin(), list.end(), naturalLess);
}

} // namespace jigsaw::names
