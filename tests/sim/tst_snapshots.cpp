// Tests of the snapshots step; filled in with the step.
