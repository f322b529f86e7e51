#include "FormLook.h"

#include "AppSetup.h"

#include <QPalette>
#include <QWidget>

#include <cmath>

namespace jigsaw::look {

namespace {

// The relative luminance of a colour as seen on a screen (sRGB).
double luminance(const QColor &color)
{
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF())
           + 0.0722 * linear(color.blueF());
}

} // namespace

QColor textOn(const QColor &background)
{
    // Above this luminance black text has more contrast than white.
    constexpr double kBlackTextAbove = 0.179;
    return luminance(background) > kBlackTextAbove ? QColor(Qt::black) : QColor(Qt::white);
}

void paintBackground(QWidget *widget, const QColor &background)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, textOn(background));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void writeOn(QWidget *widget, const QColor &background)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, textOn(background));
    widget->setPalette(palette);
}

void keepGameFont(QWidget *form)
{
    form->setFont(app::applicationFont());
}

} // namespace jigsaw::look
