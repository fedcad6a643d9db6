#include "sim/snapshots.h"

#include "core/simstate.h"
