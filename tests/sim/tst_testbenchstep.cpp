// Tests of the testbenchstep step; filled in with the step.
