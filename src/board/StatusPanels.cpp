#include "board/StatusPanels.h"

#include "platform/Geometry.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>

#include <algorithm>

namespace jigsaw {

namespace {

// Widths of the panels in pixels; panel 4, the hint panel, takes the rest.
constexpr std::array<int, StatusPanels::kPanelCount> kWidths{130, 130, 130, 0, 110};
constexpr int kStretchingPanel = 4;
constexpr int kOptionalPanel = 5;

} // namespace

StatusPanels::StatusPanels(QWidget *parent)
    : QWidget(parent)
{
    // Opaque: a box dragged down, or a time panel, never shows through the bar.
    setAutoFillBackground(true);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);
    for (int i = 0; i < kPanelCount; ++i) {
        auto *panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setTextFormat(Qt::PlainText);
        panel->setIndent(3);
        if (i + 1 == kStretchingPanel)
            panel->setMinimumWidth(0);
        else
            panel->setFixedWidth(kWidths[static_cast<std::size_t>(i)]);
        panel->setVisible(i + 1 != kOptionalPanel);
        row->addWidget(panel, i + 1 == kStretchingPanel ? 1 : 0);
        m_panels[static_cast<std::size_t>(i)] = panel;
    }
    const int height = std::max(22, fontMetrics().height() + 8);
    geom::resize(this, parent ? parent->width() : 0, height);
    if (parent)
        parent->installEventFilter(this);
}

QLabel *StatusPanels::label(int panel) const
{
    if (panel < 1 || panel > kPanelCount)
        return nullptr;
    return m_panels[static_cast<std::size_t>(panel - 1)];
}

QString StatusPanels::panelText(int panel) const
{
    const QLabel *l = label(panel);
    return l ? l->text() : QString();
}

void StatusPanels::setPanelText(int panel, const QString &text)
{
    QLabel *l = label(panel);
    if (!l)
        return;
    l->setText(text);
    if (panel == kOptionalPanel)
        l->setVisible(!text.isEmpty());
}

void StatusPanels::dock()
{
    const QWidget *parent = parentWidget();
    if (!parent)
        return;
    const float barHeight = geom::height(this);
    geom::setGeometry(this, 0, parent->height() - static_cast<double>(barHeight), parent->width(),
                      barHeight);
}

bool StatusPanels::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        dock();
    return QWidget::eventFilter(watched, event);
}

} // namespace jigsaw
