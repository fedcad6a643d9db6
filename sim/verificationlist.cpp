#include "sim/verificationlist.h"

#include "core/simstate.h"
