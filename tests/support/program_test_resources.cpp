#include "program_resources.h"
#include "test_resources.h"

const ResourceTable& TestResources() {
    return ProgramResources();
}
