#include "utilities/UStrLoad.h"

namespace {
constexpr int MaxTables = 20;
StringTableEntry* tables[MaxTables];
}  // namespace

void AddStringsToTable(StringTableEntry* table)
{
    if (tables[0] == nullptr)
        for (int i = 1; i < MaxTables; ++i) tables[i] = nullptr;
    for (int i = 0; i < MaxTables; ++i) {
        if (tables[i] == nullptr) {
            tables[i] = table;
            return;
        }
    }
}

char const* LoadStringFromTable(int code)
{
    for (int i = 0; i < MaxTables; ++i) {
        if (tables[i] == nullptr) continue;
        for (StringTableEntry* e = tables[i]; e->Text != nullptr; ++e)
            if (e->Code == code) return e->Text;
    }
    return nullptr;
}
