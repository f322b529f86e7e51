#pragma once

#include <QString>
#include <QWidget>

#include <array>

class QLabel;

namespace jigsaw {

// A status bar of four text panels, numbered 1 to 4, that docks itself along the bottom edge
// of its parent and stays there when the parent is resized; a fifth, at the right end, shows
// only while it has a text.
class StatusPanels : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kPanelCount = 5;

    explicit StatusPanels(QWidget *parent);

    QString panelText(int panel) const;
    void setPanelText(int panel, const QString &text);

    // Puts the bar along the bottom of its parent at the parent's full width.
    void dock();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *label(int panel) const;

    std::array<QLabel *, kPanelCount> m_panels{};
};

} // namespace jigsaw
