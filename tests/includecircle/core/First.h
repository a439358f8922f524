// A planted circle for the include-circle check's own test.
#pragma once

#include "core/Second.h"
