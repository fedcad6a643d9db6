// Tests of the verifications step; filled in with the step.
