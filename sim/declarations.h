#pragma once

struct DeclarationContext;

// What analyseBoxDeclarations reads in a box.
enum DeclarationMode : int {
    ModePorts = 1,       // INPUT and OUTPUT declarations
    ModeCode = 2,        // INOUT and WIRE declarations
    ModeOperations = 3,  // assignments whose targets are tagged SYNC or ASYNC
};

// Reads the text lines of the box at position box in the given mode.
void analyseBoxDeclarations(const DeclarationContext &ctx, int box, DeclarationMode mode);
