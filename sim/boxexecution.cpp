#include "sim/boxexecution.h"

#include "core/simstate.h"
