#pragma once

namespace jigsaw {

class Game;

// Looks up the records made with the selected picture: fills the records form's piece-count
// list with the counts that have a record file and offers the form through the selection
// form's records button; with none, the selection form hides that button and shows the GO hint.
void LookUpPictureRecords(Game &game);

} // namespace jigsaw
