#include "Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace jigsaw::clipboard {

void clearClipboard()
{
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->clear();
}

} // namespace jigsaw::clipboard
