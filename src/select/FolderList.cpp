#include "select/FolderList.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStyle>
#include <QStyledItemDelegate>

namespace jigsaw {

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kDepthRole = Qt::UserRole + 1;
constexpr int kIndentPixels = 10;

// Indents every folder by its depth below the drive's root, as a tree would.
class IndentDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->rect.setLeft(option->rect.left() + index.data(kDepthRole).toInt() * kIndentPixels);
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.rwidth() += index.data(kDepthRole).toInt() * kIndentPixels;
        return size;
    }
};

bool isReadableFolder(const QString &folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isReadable() && info.isExecutable();
}

} // namespace

FolderList::FolderList(QWidget *parent)
    : QListWidget(parent)
{
    setItemDelegate(new IndentDelegate(this));
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemDoubleClicked, this, &FolderList::open);
    refresh();
}

QString FolderList::normalised(const QString &folder) const
{
    const QString clean = QDir::cleanPath(folder);
    if (clean == m_root || clean + QLatin1Char('/') == m_root)
        return m_root;
    return clean;
}

bool FolderList::openDrive(const QString &root)
{
    if (root.isEmpty() || !isReadableFolder(root))
        return false;
    m_root = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
    if (m_path == m_root) {
        refresh();
        return true;
    }
    m_path = m_root;
    refresh();
    emit changed();
    return true;
}

bool FolderList::setPath(const QString &folder)
{
    if (folder.isEmpty() || !isReadableFolder(folder))
        return false;
    QString target = normalised(folder);
    if (target != m_root && !target.startsWith(m_root)) {
        // A folder outside the drive: the list then starts at the system's root.
        m_root = QStringLiteral("/");
        target = normalised(target);
    }
    if (target == m_path)
        return true;
    m_path = target;
    refresh();
    emit changed();
    return true;
}

void FolderList::refresh()
{
    // Listing the folder and finding the icons of the desktop's theme take a few milliseconds;
    // a list out of sight (the form opens on the library) is filled when it comes into sight.
    m_stale = !isVisible();
    if (m_stale)
        return;
    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);

    auto addFolder = [this](const QString &text, const QString &folder, int depth,
                            const QIcon &icon) {
        auto *item = new QListWidgetItem(icon, text, this);
        item->setData(kPathRole, folder);
        item->setData(kDepthRole, depth);
        return item;
    };

    // The way down from the drive's root to the current folder.
    QListWidgetItem *current = addFolder(m_root, m_root, 0, openIcon);
    QString folder = m_root;
    int depth = 0;
    const QStringList below = m_path.mid(m_root.size()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &name : below) {
        folder = folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
        current = addFolder(name, folder, ++depth, openIcon);
    }

    const QDir dir(m_path);
    const QStringList subFolders =
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString &name : subFolders)
        addFolder(name, dir.filePath(name), depth + 1, closedIcon);

    setCurrentItem(current);
}

void FolderList::showEvent(QShowEvent *event)
{
    if (m_stale)
        refresh();
    QListWidget::showEvent(event);
}

void FolderList::open(QListWidgetItem *item)
{
    if (item)
        setPath(item->data(kPathRole).toString());
}

void FolderList::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        open(currentItem());
        return;
    }
    QListWidget::keyPressEvent(event);
}

} // namespace jigsaw
