#include "InWindowDialog.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>

#include <vector>

namespace jigsaw::dialog {

namespace {

// Covers the whole window, dims it and keeps the dialog's panel in its middle.
class Shade : public QWidget
{
public:
    explicit Shade(QWidget *window)
        : QWidget(window)
        , m_window(window)
    {
        setObjectName(QStringLiteral("DialogShade"));
        setGeometry(window->rect());
        window->installEventFilter(this);
    }

    ~Shade() override
    {
        if (m_window)
            m_window->removeEventFilter(this);
    }

    void setPanel(QWidget *panel) { m_panel = panel; }

    void centrePanel()
    {
        if (!m_panel)
            return;
        m_panel->adjustSize();
        QRect place(QPoint(), m_panel->size());
        place.moveCenter(rect().center());
        m_panel->move(std::max(0, place.left()), std::max(0, place.top()));
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Resize) {
            setGeometry(m_window->rect());
            centrePanel();
        }
        return QWidget::eventFilter(watched, event);
    }

    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0, 0, 0, 64));
    }

private:
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_panel;
};

// The dialog's caption, drawn as a title bar would.
QLabel *makeCaption(const QString &title, QWidget *parent)
{
    auto *caption = new QLabel(title, parent);
    caption->setObjectName(QStringLiteral("DialogCaption"));
    caption->setTextFormat(Qt::PlainText);
    caption->setAutoFillBackground(true);
    caption->setBackgroundRole(QPalette::Highlight);
    caption->setForegroundRole(QPalette::HighlightedText);
    caption->setContentsMargins(8, 4, 8, 4);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    return caption;
}

} // namespace

bool showInWindow()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

int execInWindow(QDialog &dialog, QWidget *window, QWidget *focus)
{
    Shade shade(window);
    auto *panel = new QFrame(&shade);
    panel->setObjectName(QStringLiteral("DialogPanel"));
    panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    panel->setAutoFillBackground(true);
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(1, 1, 1, 1);
    column->setSpacing(0);
    column->addWidget(makeCaption(dialog.windowTitle(), panel));
    QWidget *owner = dialog.parentWidget();
    const Qt::WindowFlags flags = dialog.windowFlags();
    dialog.setParent(panel, Qt::Widget);
    column->addWidget(&dialog);
    shade.setPanel(panel);

    // Nothing else in the window takes a click, a key or a shortcut while the dialog is up.
    std::vector<QPointer<QWidget>> paused;
    for (QObject *object : window->children()) {
        auto *child = qobject_cast<QWidget *>(object);
        if (child && child != &shade && !child->isWindow() && child->isEnabled()) {
            child->setEnabled(false);
            paused.emplace_back(child);
        }
    }
    const QPointer<QWidget> start = focus;
    const auto keepInside = [&dialog, start](QWidget *, QWidget *now) {
        if (now && !dialog.isAncestorOf(now) && start)
            start->setFocus(Qt::OtherFocusReason);
    };
    const QMetaObject::Connection keepFocus =
        QObject::connect(qApp, &QApplication::focusChanged, &shade, keepInside);
    shade.show();
    shade.raise();
    // The dialog settles its size when it is shown; it is centred once it has.
    QTimer::singleShot(0, &shade, [&shade, start] {
        shade.centrePanel();
        if (start)
            start->setFocus(Qt::OtherFocusReason);
    });
    shade.centrePanel();
    const int result = dialog.exec();

    QObject::disconnect(keepFocus);
    dialog.hide();
    dialog.setParent(owner, flags);
    for (const QPointer<QWidget> &child : paused) {
        if (child)
            child->setEnabled(true);
    }
    return result;
}

} // namespace jigsaw::dialog
