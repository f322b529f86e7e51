#include "board/BoardForm.h"

namespace jigsaw {

} // namespace jigsaw
