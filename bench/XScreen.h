#pragma once

#include "BenchUtil.h"

#include <QByteArray>
#include <QPoint>
#include <QRect>

#include <cstdint>
#include <memory>
#include <vector>

// The benchmark's side of the X server: real input through XTest, and the screen read back from
// the server as the player sees it, told by the Damage extension when anything was drawn.
namespace jigsaw::bench {

class XScreen
{
public:
    XScreen();
    ~XScreen();
    XScreen(const XScreen &) = delete;
    XScreen &operator=(const XScreen &) = delete;

    // False when there is no display or it lacks XTest, Damage or shared memory.
    bool open();
    int fd() const;
    QRect screenRect() const;

    // A left click at a point of the screen; the time at which the server had the release.
    qint64 click(QPoint at);

    // Handles what the server sent: whether anything was drawn since the last call.
    bool takeEvents();

    // Reads these rows of the screen back, a row at a time, so that looking costs the server
    // little; then pixel() reads from that copy.
    bool grabRows(const std::vector<int> &rows);
    Colour pixel(int x, int y) const;

private:
    struct State;
    std::unique_ptr<State> d;
};

} // namespace jigsaw::bench
