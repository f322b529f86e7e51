#pragma once

#include <QListWidget>
#include <QString>

namespace jigsaw {

// The folder list: the folders from the drive's root down to the current folder, then the
// current folder's sub-folders. The player opens a folder by double-clicking it or pressing
// Enter on it. Its path has no trailing "/" except at the drive's root.
class FolderList : public QListWidget
{
    Q_OBJECT

public:
    explicit FolderList(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    QString rootPath() const { return m_root; }

    // Starts the list at a drive's root (ending in "/") and moves to that root, raising
    // changed() when the path differs. False, with nothing changed, when the root cannot be read.
    bool openDrive(const QString &root);

    // Moves to a folder, raising changed() when the path differs from the current one. False,
    // with nothing changed, when the folder does not exist or cannot be read.
    bool setPath(const QString &folder);

    // Lists the current folder's sub-folders again, or once the list is in sight.
    void refresh();

signals:
    void changed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QString normalised(const QString &folder) const;
    void open(QListWidgetItem *item);

    QString m_root = QStringLiteral("/");
    QString m_path = QStringLiteral("/");
    // The list is filled only in sight; it was changed while out of sight.
    bool m_stale = true;
};

} // namespace jigsaw
