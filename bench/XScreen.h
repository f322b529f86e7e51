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
    // The left button pressed at a point, the pointer moved with it held, and released: a drag.
    // moveTo gives the time at which the server had the move.
    void press(QPoint at);
    qint64 moveTo(QPoint at);
    void release(QPoint at);
    // One notch of the wheel away from the player with Ctrl held, the pointer at a point of the
    // screen; the time at which the server had the notch.
    qint64 ctrlWheelUp(QPoint at);

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
