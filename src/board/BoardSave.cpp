#include "board/BoardForm.h"

namespace jigsaw {

void BoardForm::SaveNameOk() {}
void BoardForm::SaveNameChoice() {}
void BoardForm::OverwriteOk() {}

} // namespace jigsaw
