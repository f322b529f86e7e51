#pragma once

#include <array>
#include <cstdint>

namespace jigsaw {

// Private fields of the puzzle-board form. They belong to the one board instance of the run,
// not to its window: closing the board and launching again keeps them.
struct BoardFields
{
    double PieceW = 0;
    float PieceH = 0;
    double PlaceTolX = 0;
    std::int16_t PlaceTolY = 0;
    std::array<std::array<float, 3>, 101> CorrectPos{};      // columns 1 and 2: Left, Top
    // Key, slot Left, slot Top; a large picture's slots lie further down than 16 bits reach.
    std::array<std::array<std::int32_t, 3>, 101> BoxSlot{};
    double BoxMode = 0;  // 1 = pieces in the box, 2 = all out on the board
    double Completed = 0;
    double CorrectCount = 0;

    std::int16_t PieceDragging = 0;
    float GrabX = 0;
    std::int16_t GrabY = 0;
    double DragLeft = 0;
    double DragTop = 0; // whole pixels

    std::int16_t BoxDragging = 0;
    double BoxGrabX = 0;
    std::int16_t BoxGrabY = 0;
    double BoxLeft = 0;
    std::int16_t BoxTop = 0;

    std::int16_t MusicTick = 0;
};

// Private fields of the picture-selection form.
struct SelectFields
{
    int BlinkPhase = 0;         // 0 (never set) or 1
    int FolderHasPictures = 0;
};

} // namespace jigsaw
