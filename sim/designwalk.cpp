#include "sim/designwalk.h"

#include "core/simstate.h"
