#pragma once

// Registers the numeric library's messages; called once at start-up, after
// InitUtilities.
void InitNumer();
