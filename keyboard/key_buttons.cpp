#include "keyboard/constants.h"
#include "keyboard/key_table.h"
#include "toolkit/graphics/fonts.h"
#include "toolkit/gadgets/gadgets.h"

namespace wexa {
namespace {

// A glyph key's sign means nothing to someone who cannot see it, nor to a screen reader:
// its tooltip and its accessible name give the syllable it writes, the syllable key's label.
void NameGlyphKey(const KeyEntry& key) {
    const KeyEntry* syllable = FindKeyEntry(key.number - FirstGlyphKey + FirstSyllableKey);
    if (!syllable) return;
    SetGadgetTooltip(key.number, syllable->label);
    SetGadgetAccessibleName(key.number, syllable->label);
}

} // namespace

void CreateKeyButtons(int first, int last) {
    for (const KeyEntry& key : KeyTable()) {
        if (key.number < first || key.number > last) continue;
        CreatePushButton(key.number, key.x, key.y, key.width, key.height, key.label);
        if (key.number <= LastGlyphKey) {
            NameGlyphKey(key);
            PaintLabelByGlyphs(key.number); // a sign may be a control or format character
        }
        if (!key.tooltip.empty()) SetGadgetTooltip(key.number, key.tooltip);
    }
}

void ApplyKeyFonts(int first, int last) {
    for (const KeyEntry& key : KeyTable())
        if (key.number >= first && key.number <= last && key.labelFont != NoLabelFont)
            ApplyGadgetFont(key.number, FontHandleOf(key.labelFont));
}

} // namespace wexa
