#pragma once

namespace jigsaw {

class Game;

// Looks up the records made with the selected library picture and offers them through the
// selection form's records button; with none, the form hides that button and shows the GO hint.
void LookUpPictureRecords(Game &game);

} // namespace jigsaw
