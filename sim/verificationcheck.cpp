#include "sim/verificationcheck.h"

#include "core/simstate.h"
