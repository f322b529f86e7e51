#pragma once

#include <QString>
#include <QStringList>

// The order in which the game lists names to the player: as a person reads them, with the
// numbers inside names compared as numbers, so that ジグソー画像2 comes before ジグソー画像10.
namespace jigsaw::names {

// Letters compare without regard to case first; runs of digits (ASCII or full-width) compare
// by their value. Names that differ only in case or in leading zeros still have a fixed order.
bool naturalLess(const QString &a, const QString &b);

void sortNaturally(QStringList &list);

} // namespace jigsaw::names
