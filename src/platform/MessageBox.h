#pragma once

#include <QString>

class QWidget;

// The game's message boxes: modal, titled with the application's display name, no icon, the
// exact text. Two-line texts arrive joined by a single carriage return.
namespace jigsaw::msg {

// The answers of askYesNo, with the values the game stores for them.
inline constexpr int kYes = 6;
inline constexpr int kNo = 7;

// The object name of every box, by which tests find it.
inline constexpr char kObjectName[] = "MessageBox";

// A notice with an OK button only; returns when the player has closed it.
void showNotice(QWidget *parent, const QString &text);

// A question with Yes and No buttons; kYes or kNo. Escape and the close button answer No.
int askYesNo(QWidget *parent, const QString &text);

} // namespace jigsaw::msg
