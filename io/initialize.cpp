#include "io/initialize.h"

#include "io/console/console_writer.h"
#include "io/format/edit_state.h"
#include "io/statement.h"
#include "io/termination.h"
#include "io/units.h"

namespace io {

void initializeIo() {
    resetTermination();
    resetStatements();
    resetConsoleWriter();
    resetEditState(editState(), false);
    initializeUnits();
}

}  // namespace io
