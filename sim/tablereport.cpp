#include "sim/tablereport.h"

#include "core/simstate.h"
