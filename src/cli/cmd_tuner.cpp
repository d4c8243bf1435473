#include "cli/common.h"

namespace qlx::cli {

int Tuner(const Args&) { return Fail({"tuner: not built yet", false}, ""); }

}  // namespace qlx::cli
