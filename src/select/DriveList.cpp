#include "select/DriveList.h"

namespace jigsaw {

DriveList::DriveList(QWidget *parent)
    : ChoiceComboBox(parent)
{
    connect(this, &ChoiceComboBox::chosen, this, &DriveList::pick);
}

void DriveList::setDrives(const QList<drives::Drive> &list)
{
    const QString shown = m_shownRoot;
    m_drives = list;
    clear();
    for (const drives::Drive &drive : m_drives)
        addItem(drive.label, drive.root);
    if (!shown.isEmpty())
        showRoot(shown);
}

QString DriveList::currentRoot() const
{
    return m_shownRoot;
}

void DriveList::showRoot(const QString &root)
{
    const int exact = findData(root);
    const int index = exact >= 0 ? exact : findData(drives::driveOf(root, m_drives));
    setCurrentIndex(index);
    m_shownRoot = index >= 0 ? itemData(index).toString() : root;
}

void DriveList::pick(int index)
{
    const QString root = itemData(index).toString();
    if (root == m_shownRoot)
        return;
    m_shownRoot = root;
    emit changed();
}

} // namespace jigsaw
