#pragma once

// Registers the utilities' message table and creates the process-wide debug
// log when there is none yet. Called once at start-up, before any other
// library's initialiser.
void InitUtilities();
