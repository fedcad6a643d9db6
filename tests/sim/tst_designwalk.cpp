// Tests of the designwalk step; filled in with the step.
