#include "sim/events.h"

#include "core/simstate.h"
