#pragma once

#include "platform/ChoiceComboBox.h"
#include "platform/Drives.h"

#include <QList>
#include <QString>

namespace jigsaw {

// The drive list: the volumes the player can browse, one of them shown. It reports a change
// only when the player picks a drive other than the one shown; code moves it silently.
class DriveList : public ChoiceComboBox
{
    Q_OBJECT

public:
    explicit DriveList(QWidget *parent = nullptr);

    // Replaces the drives offered, keeping the shown drive when it is still among them.
    void setDrives(const QList<drives::Drive> &list);
    const QList<drives::Drive> &driveEntries() const { return m_drives; }

    // The root of the drive shown, ending in "/".
    QString currentRoot() const;
    // Shows the drive with this root (or the drive holding it) without reporting a change.
    void showRoot(const QString &root);

signals:
    void changed();

private:
    void pick(int index);

    QList<drives::Drive> m_drives;
    QString m_shownRoot;
};

} // namespace jigsaw
