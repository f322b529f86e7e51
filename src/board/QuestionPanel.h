#pragma once

#include <QImage>

class QComboBox;

#include <optional>

namespace jigsaw {

// The question panel's size in pixels (5100 x 1800 twips as designed).
inline constexpr int kQuestionPanelWidth = 340;
inline constexpr int kQuestionPanelHeight = 120;

// One tick of the slide-in: 30 pixels to the right while the panel's left is at -30 or less;
// none once it is further right, and the slide ends.
std::optional<float> slideInStep(float left);

// One tick of the slide-out: 50 pixels to the left while the panel is not yet parked beyond
// -(width + 10); none once it is, and the slide ends.
std::optional<float> slideOutStep(float left, float width);

// The panel's background: a soft gradient of the panel's size.
QImage questionPanelPicture();

// Lets the panel's input box take names in Japanese: the input method is on and no hint
// narrows it (the time-limit question narrows it to digits).
void enableJapaneseInput(QComboBox *combo);

} // namespace jigsaw
