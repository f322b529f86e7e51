#include "board/PieceBoxLayout.h"

#include "board/BoardForm.h"
#include "board/PictureBox.h"
#include "platform/Geometry.h"
#include "platform/Numbers.h"
#include "state/GameSession.h"

#include <QComboBox>
#include <QScrollBar>

#include <algorithm>

namespace jigsaw {

namespace {

// Signs sort before digits, digits before everything else.
int characterClass(QChar c)
{
    if (c.isDigit())
        return 1;
    if (c.isLetter() || c.unicode() > 0x7F)
        return 2;
    return 0;
}

} // namespace

BoxLayout boxLayout(double pieceCount, double pieceW, float pieceH)
{
    BoxLayout layout;
    const float step = num::toSingle(static_cast<double>(pieceH) + 5.0);
    auto slotTop = [step](int k) { return num::toSingle(k * static_cast<double>(step) + 5.0); };
    auto below = [pieceH](float top) {
        return num::toSingle(static_cast<double>(top) + static_cast<double>(pieceH) + 10.0);
    };

    if (pieceCount < 50) {
        const int count = std::clamp(static_cast<int>(pieceCount), 0, kPieceControls);
        for (int i = 0; i < count; ++i)
            layout.places.push_back({5, slotTop(i)});
        if (count == 0)
            return layout;
        layout.arranged = true;
        layout.stripHeight = below(layout.places.back().top);
        layout.stripWidth = num::toSingle(pieceW + 10.0);
        layout.scrollMax = count - 1;
        return layout;
    }
    if (pieceCount != 64 && pieceCount != 81 && pieceCount != 100)
        return layout;

    const int firstColumn = pieceCount == 81 ? 41 : static_cast<int>(pieceCount) / 2;
    const int secondColumn = pieceCount == 81 ? 40 : static_cast<int>(pieceCount) / 2;
    const float secondLeft = num::toSingle(pieceW + 10.0);
    for (int k = 0; k < firstColumn; ++k)
        layout.places.push_back({5, slotTop(k)});
    for (int k = 0; k < secondColumn; ++k)
        layout.places.push_back({secondLeft, slotTop(k)});
    layout.arranged = true;
    const int lastOfFirst = num::toInt16Clamped(pieceCount / 2 - 1);
    layout.stripHeight = below(layout.places[static_cast<std::size_t>(lastOfFirst)].top);
    layout.stripWidth = num::toSingle(2 * pieceW + 15.0);
    layout.scrollMax = num::toInt16Clamped(pieceCount / 2);
    return layout;
}

std::int16_t shuffleKey(double r)
{
    return num::toInt16Clamped(num::intDown(r * 1000 + 1));
}

QString shuffleItem(std::int32_t key, std::int32_t left, std::int32_t top)
{
    return QStringLiteral("%1&%2=%3").arg(key).arg(left).arg(top);
}

std::optional<BoxSlotPlace> parseShuffleItem(QStringView item)
{
    const qsizetype amp = item.indexOf(QLatin1Char('&'));
    const qsizetype eq = item.indexOf(QLatin1Char('='));
    if (amp < 0 || eq < amp)
        return std::nullopt;
    const std::optional<double> left = num::readNumber(item.mid(amp + 1, eq - amp - 1));
    const std::optional<double> top = num::readNumber(item.mid(eq + 1));
    if (!left || !top)
        return std::nullopt;
    const std::optional<std::int32_t> l = num::toInt32(*left);
    const std::optional<std::int32_t> t = num::toInt32(*top);
    if (!l || !t)
        return std::nullopt;
    return BoxSlotPlace{*l, *t};
}

bool listBoxLess(QStringView a, QStringView b)
{
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const QChar ca = a[i];
        const QChar cb = b[i];
        if (ca == cb)
            continue;
        const int classA = characterClass(ca);
        const int classB = characterClass(cb);
        if (classA != classB)
            return classA < classB;
        return ca.unicode() < cb.unicode();
    }
    return a.size() < b.size();
}

void insertSorted(QStringList &items, const QString &item)
{
    const auto at = std::upper_bound(items.begin(), items.end(), item,
                                     [](const QString &x, const QString &y) {
                                         return listBoxLess(x, y);
                                     });
    items.insert(at, item);
}

float boxHomeLeft(float clientWidth, float vScrollLeft, float vScrollWidth, float titleWidth)
{
    const double scrollRight = static_cast<double>(vScrollLeft) + static_cast<double>(vScrollWidth);
    const float room = num::toSingle(static_cast<double>(clientWidth) - scrollRight);
    if (static_cast<double>(titleWidth) + 5 < static_cast<double>(room))
        return num::toSingle(scrollRight + 3);
    return num::toSingle(static_cast<double>(clientWidth) - static_cast<double>(titleWidth) - 10);
}

void BoardForm::LayoutPieceBox()
{
    GameState &s = state();
    BoardFields &f = fields();
    const int count = static_cast<int>(s.PieceCount);
    auto slot = [this](int i) { return m_ui.Picture6[static_cast<std::size_t>(i)]; };

    m_random.reseedFromClock();
    const PictureBox *model = m_ui.Picture1[0];
    for (int i = 0; i < count; ++i)
        geom::resize(slot(i), geom::width(model), geom::height(model));
    advanceProgress(3);

    const BoxLayout layout = boxLayout(s.PieceCount, f.PieceW, f.PieceH);
    if (layout.arranged) {
        for (std::size_t i = 0; i < layout.places.size(); ++i)
            geom::move(slot(static_cast<int>(i)), layout.places[i].left, layout.places[i].top);
        geom::setHeight(m_ui.Picture5, layout.stripHeight);
        geom::setWidth(m_ui.Picture5, layout.stripWidth);
        m_ui.VScroll1->setRange(0, layout.scrollMax);
        m_ui.VScroll1->setValue(0);
    }
    advanceProgress(1);

    m_ui.Combo2->clear();
    QStringList items;
    for (int i = 0; i < count; ++i) {
        auto &entry = f.BoxSlot[static_cast<std::size_t>(i)];
        entry[1] = num::toInt32Clamped(geom::left(slot(i)));
        entry[2] = num::toInt32Clamped(geom::top(slot(i)));
        entry[0] = shuffleKey(m_random.next());
        insertSorted(items, shuffleItem(entry[0], entry[1], entry[2]));
    }
    m_ui.Combo2->addItems(items);
    advanceProgress(2);

    sizeBoxPanel();
}

void BoardForm::PlaceBoxAtHome()
{
    geom::setTop(m_ui.Picture8, 0);
    geom::setTop(m_ui.Picture7, geom::height(m_ui.Picture8));
    geom::setLeft(m_ui.Picture8, boxHomeLeft(scaleWidth(), geom::left(m_ui.VScroll2),
                                             geom::width(m_ui.VScroll2),
                                             geom::width(m_ui.Picture8)));
    geom::setLeft(m_ui.Picture7, geom::left(m_ui.Picture8));
}

void BoardForm::ShuffleBoxSlots()
{
    GameState &s = state();
    BoardFields &f = fields();
    const int count = std::min(static_cast<int>(s.PieceCount), m_ui.Combo2->count());
    for (int i = 0; i < count; ++i) {
        const std::optional<BoxSlotPlace> place = parseShuffleItem(m_ui.Combo2->itemText(i));
        if (!place)
            continue;
        auto &entry = f.BoxSlot[static_cast<std::size_t>(i)];
        entry[1] = place->left;
        entry[2] = place->top;
        geom::move(m_ui.Picture6[static_cast<std::size_t>(i)], place->left, place->top);
    }
    advanceProgress(1);
}

} // namespace jigsaw
