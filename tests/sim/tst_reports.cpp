// Tests of the reports step; filled in with the step.
