#include "sim/testbenchstep.h"

#include "core/simstate.h"
