#pragma once

struct DeclarationContext;

// Walks every diagram once per declaration mode, declares its signals and tells the
// design from the test bench.
void runDeclarativeSimulation(const DeclarationContext &ctx);
