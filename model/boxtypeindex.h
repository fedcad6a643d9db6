#pragma once

struct SimState;

// Groups the boxes by type and reports the positions of each type.
void buildBoxTypeIndex(SimState &state);
