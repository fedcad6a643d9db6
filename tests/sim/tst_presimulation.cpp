// Tests of the presimulation step; filled in with the step.
