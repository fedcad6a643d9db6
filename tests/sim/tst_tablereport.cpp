// Tests of the tablereport step; filled in with the step.
