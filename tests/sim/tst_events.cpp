// Tests of the events step; filled in with the step.
