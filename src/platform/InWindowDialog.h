#pragma once

class QDialog;
class QWidget;

// Dialogs shown inside their window instead of as windows of their own. On Wayland only the
// compositor places windows, and some compositors put a dialog anywhere on the screen with its
// caption cut to its narrow width; inside the window it sits centred over the form it speaks
// for, under a caption of its own.
namespace jigsaw::dialog {

// True where dialogs go inside their window: on Wayland.
bool showInWindow();

// Runs the dialog modally inside the window: the rest of the window is dimmed and takes no
// input while it is up, and the keyboard stays with the dialog, starting at focus. Returns the
// dialog's result, as QDialog::exec does. The dialog is the caller's again afterwards.
int execInWindow(QDialog &dialog, QWidget *window, QWidget *focus);

} // namespace jigsaw::dialog
