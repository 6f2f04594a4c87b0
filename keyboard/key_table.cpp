#include "keyboard/key_table.h"
// placeholder: the table lands with the keyboard
namespace wexa {
std::span<const KeyEntry> KeyTable() { return {}; }
const KeyEntry* FindKeyEntry(int) { return nullptr; }
}
