#pragma once

class QWidget;

// Focus frames as desktop toolkits show them: hidden in a window until the player uses the
// keyboard there, so that a window worked with the mouse shows no frame that reads as a
// selection. The mark is the window's Qt::WA_KeyboardFocusChange, which Qt itself sets when
// Tab moves the focus.
namespace jigsaw::cues {

// Whether the window of w shows focus frames.
bool shown(const QWidget *w);
// The player used the keyboard on w's window: its focus frames show.
void keyboardUsed(QWidget *w);
// The player pressed the mouse on w's window: its focus frames hide again.
void mouseUsed(QWidget *w);

} // namespace jigsaw::cues
