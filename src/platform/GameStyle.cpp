#include "GameStyle.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QWidget>

#include <optional>

namespace jigsaw::look {

namespace {

// An icon of the base style, asked for when first drawn or measured.
class IconWhenDrawn : public QIconEngine
{
public:
    IconWhenDrawn(const QStyle *style, QStyle::StandardPixmap which, const QWidget *widget)
        : m_style(const_cast<QStyle *>(style))
        , m_widget(const_cast<QWidget *>(widget))
        , m_which(which)
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    // Asked as the icon is handed to its button: answered without reading the picture. A
    // style always has its arrows.
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("jigsaw.IconWhenDrawn"); }
    QIconEngine *clone() const override { return new IconWhenDrawn(*this); }

private:
    const QIcon &icon()
    {
        if (!m_icon)
            m_icon = m_style ? m_style->standardIcon(m_which, nullptr, m_widget) : QIcon();
        return *m_icon;
    }

    QPointer<QStyle> m_style;
    QPointer<QWidget> m_widget; // its direction turns the arrow
    QStyle::StandardPixmap m_which;
    std::optional<QIcon> m_icon;
};

} // namespace

GameStyle::GameStyle(const QString &baseKey)
    : QProxyStyle(baseKey)
{
}

QIcon GameStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option,
                              const QWidget *widget) const
{
    if (standardIcon == SP_ToolBarHorizontalExtensionButton
        || standardIcon == SP_ToolBarVerticalExtensionButton)
        return QIcon(new IconWhenDrawn(baseStyle(), standardIcon, widget));
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}

void useGameStyle()
{
    // QApplication::style() is the desktop's choice (its setting, QT_STYLE_OVERRIDE, -style).
    if (dynamic_cast<GameStyle *>(QApplication::style()))
        return;
    QApplication::setStyle(new GameStyle(QApplication::style()->name()));
}

} // namespace jigsaw::look
