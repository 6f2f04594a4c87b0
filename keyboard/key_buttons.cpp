#include "keyboard/key_table.h"
#include "toolkit/gadgets.h"

namespace wexa {

void CreateKeyButtons(int first, int last) {
    for (const KeyEntry& key : KeyTable())
        if (key.number >= first && key.number <= last)
            CreatePushButton(key.number, key.x, key.y, key.width, key.height, key.label);
}

} // namespace wexa
