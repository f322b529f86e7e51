#include "board/BoardForm.h"

namespace jigsaw {

void BoardForm::RecordNameOk() {}
void BoardForm::ShowRankingOk() {}

} // namespace jigsaw
