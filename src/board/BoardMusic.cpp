#include "board/BoardForm.h"

namespace jigsaw {

void BoardForm::Timer5_Timer() {}

} // namespace jigsaw
