// Start-up of the record input/output layer, also the reset between tests.
#pragma once

namespace io {

void initializeIo();

}  // namespace io
