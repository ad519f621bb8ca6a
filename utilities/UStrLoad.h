#pragma once
// Message tables: codes and texts, registered once per library at start-up.
#include <cstdint>

struct StringTableEntry {
    int32_t Code;
    char const* Text;  // null closes a table
};

void AddStringsToTable(StringTableEntry* table);
char const* LoadStringFromTable(int code);
