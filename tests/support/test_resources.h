#pragma once

#include "resource_table.h"

// The resource table a Qt test binary runs its dialogs from. The platform's tests bring small
// templates of their own; the program's tests link program_test_resources.cpp, which hands
// over the program's table.
const ResourceTable& TestResources();
