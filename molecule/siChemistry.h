#pragma once

// Registers the chemistry messages; called once at start-up.
void InitChemistry();
