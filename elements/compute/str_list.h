#pragma once

// The text list writes files, so it lives with the device elements now; this name
// stays until every user includes it from there.
#include "elements/device/str_list.h"
