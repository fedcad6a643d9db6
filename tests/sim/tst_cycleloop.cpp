// Tests of the cycleloop step; filled in with the step.
