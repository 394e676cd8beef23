// Process entry: prepare the standard handles, take the arguments, start the
// record input/output layer and run the summation.
#include "io/initialize.h"
#include "io/termination.h"
#include "io/units.h"
#include "ketlap/summation.h"
#include "platform/platform.h"
#include "startup/command_line.h"

int main(int argc, char** argv) {
    platform::prepareStandardHandles();
    static startup::ArgumentList arguments = startup::argumentsFromVector(argc, argv);
    io::initializeIo();
    io::setArguments(static_cast<int>(arguments.arguments.size()), arguments.vector.data());
    ketlap::runSummation();
    io::endRun(0);
}
