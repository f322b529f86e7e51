#include "board/BoardForm.h"

namespace jigsaw {

void BoardForm::QuitProgram() {}

} // namespace jigsaw
