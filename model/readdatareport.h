#pragma once

struct SimState;

// Reports what the reader stored: box and page counts and the three text matrices.
void reportReadData(SimState &state);
