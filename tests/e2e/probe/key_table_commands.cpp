// key-table: the program's own table of its buttons and the numbers of its other gadgets,
// so that the end-to-end tests click and check what the program itself was built from.
#include "probe.h"

#include "keyboard/constants.h"
#include "transfer/constants.h"
#include "keyboard/key_table.h"

#include <cstdio>
#include <string>

namespace probe {
namespace {

const char* ActionName(wexa::KeyAction action) {
    switch (action) {
    case wexa::KeyAction::Append:
        return "append";
    case wexa::KeyAction::TransferLine:
        return "transfer";
    case wexa::KeyAction::ClearLine:
        return "clear";
    case wexa::KeyAction::DeleteLastCharacter:
        return "delete";
    }
    return "?";
}

std::string KeyJson(const wexa::KeyEntry& key) {
    return "{\"number\":" + std::to_string(key.number) + ",\"rect\":[" + std::to_string(key.x) + "," +
           std::to_string(key.y) + "," + std::to_string(key.width) + "," + std::to_string(key.height) +
           "],\"label\":" + CodeUnits(key.label) + ",\"font\":" + std::to_string(key.labelFont) +
           ",\"action\":\"" + ActionName(key.action) + "\",\"text\":" + CodeUnits(key.appendedText) + "}";
}

std::string PlaceJson(int number, int x, int y, int width, int height) {
    return "\"" + std::to_string(number) + "\":[" + std::to_string(x) + "," + std::to_string(y) + "," +
           std::to_string(width) + "," + std::to_string(height) + "]";
}

// The places of the gadgets that are no keys, in 96-DPI units; the preview's size is its picture's.
std::string PlacesJson() {
    using namespace wexa;
    return "{" + PlaceJson(LineDisplayNumber, LineDisplayX, LineDisplayY, LineDisplayWidth, LineDisplayHeight) + "," +
           PlaceJson(PendingLettersNumber, PendingLettersX, PendingLettersY, PendingLettersWidth,
                     PendingLettersHeight) +
           "," + PlaceJson(PreviewImageNumber, PreviewX, PreviewY, 0, LineImageHeight) + "," +
           PlaceJson(SaveStatusNumber, SaveStatusX, SaveStatusY, SaveStatusWidth, SaveStatusHeight) + "}";
}

int KeyTable(const Args&) {
    std::string keys;
    for (const wexa::KeyEntry& key : wexa::KeyTable()) keys += (keys.empty() ? "" : ",") + KeyJson(key);
    std::printf("{\"keys\":[%s],\"line_display\":%d,\"pending_letters\":%d,\"preview\":%d,\"save_status\":%d,"
                "\"places\":%s}\n",
                keys.c_str(), wexa::LineDisplayNumber, wexa::PendingLettersNumber, wexa::PreviewImageNumber,
                wexa::SaveStatusNumber, PlacesJson().c_str());
    return 0;
}

const ProbeCommand keyTable{"key-table", KeyTable};

} // namespace
} // namespace probe
