#pragma once

#include <QImage>
#include <QList>
#include <QObject>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

namespace jigsaw::picture {

// Which rows of a picture being decoded are final, shared by the thread that decodes them and
// the thread that shows them. Whatever shows the picture asks for the rows it is about to show
// (they are decoded before the others), draws the final ones and, where a row is not final
// yet, the coarse stand-in of the whole picture if there is one; it hears when rows become
// final. A final row never changes again.
class PictureRows : public QObject
{
    Q_OBJECT

public:
    // Rows 0 to height - 1, none final yet; or all of them final.
    explicit PictureRows(int height, bool allFinal = false);

    int height() const { return m_height; }
    bool isComplete() const;
    bool areFinal(int top, int bottom) const;
    // The runs of final rows within [top, bottom), from the top down.
    QList<std::pair<int, int>> finalRuns(int top, int bottom) const;
    // Asks for rows [top, bottom) before all others; the latest wish comes first.
    void request(int top, int bottom);
    // The whole picture at a fraction of its size; null while there is none.
    QImage standIn() const;
    void waitForAll() const;

    // Delivers the reports of every picture's rows now, and nothing else: a caller that holds
    // up the event loop (a cue playing) lets the pictures fill in meanwhile.
    static void deliverReports();

    // The decoder's side. Rows [top, bottom) are final now.
    void markFinal(int top, int bottom);
    void setStandIn(const QImage &picture);
    // The first row from `from` down that is not final; height() when there is none.
    int firstPending(int from = 0) const;
    // The first final row from `from` down; height() when there is none.
    int firstFinal(int from) const;
    // The latest wish that still has rows to decode: the first such row and the wish's end.
    std::optional<std::pair<int, int>> pendingWish();
    // Of the rows from `from` down to the end of the lowest wish, how many are wished for and
    // not final yet, and that end.
    std::pair<int, int> wishedBelow(int from) const;

signals:
    // On the thread the rows belong to, soon after the decoder made rows final or a new
    // stand-in: the span of rows that became final since the last report.
    void rowsFinal(int top, int bottom);
    void standInChanged();

protected:
    // The report, on the owning thread.
    void customEvent(QEvent *event) override;

private:
    // Asks for a report on the owning thread unless one is on its way; called locked.
    bool needsReport();
    void postReport();
    int firstPendingLocked(int from) const;

    const int m_height;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::vector<char> m_final;
    int m_finalCount = 0;
    std::deque<std::pair<int, int>> m_wishes;
    QImage m_standIn;
    int m_unreportedTop = 0;
    int m_unreportedBottom = 0;
    bool m_standInUnreported = false;
    bool m_reportPosted = false;
};

} // namespace jigsaw::picture
