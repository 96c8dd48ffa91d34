// The Create Executable action: build the executable e-book, then offer to start it.
#pragma once

#include "core/project/workingstate.h"

void BuildAndOfferTest(WorkingState& state);
