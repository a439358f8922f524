#include "core/Second.h"

#include "core/First.h"
