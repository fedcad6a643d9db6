#include "sim/cycleloop.h"

#include "core/simstate.h"
