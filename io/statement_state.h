// The statement in progress, as the rest of the layer sees it.
#pragma once

#include "io/run_time_error.h"
#include "io/types.h"
#include "io/unit.h"

namespace io {

// The kind of the statement in progress (for reports).
StatementKind currentStatementKind();

// Reports a condition that nothing catches, for the statement in progress.
void reportCondition(const IoCondition& condition);

}  // namespace io
