#pragma once

#include "resource_table.h"

// The program's six dialog templates and its icon, built once, for the platform to look up.
const ResourceTable& ProgramResources();
