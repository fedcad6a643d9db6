#include "sim/presimulation.h"

#include "core/simstate.h"
