// Tests of the boxexecution step; filled in with the step.
