#include "app/SettingsChoices.h"

#include <cstdio>

#include "app/ControlIds.h"

namespace tallymo {
namespace {

constexpr int kSmallestFontPoints = 6;
constexpr int kLargestFontPoints = 24;

std::vector<std::string> Numbered(const char* format, int first, int last) {
    std::vector<std::string> texts;
    for (int n = first; n <= last; ++n) {
        char text[16];
        std::snprintf(text, sizeof text, format, n);
        texts.emplace_back(text);
    }
    return texts;
}

}  // namespace

std::vector<std::string> CloseDayTexts() {
    std::vector<std::string> texts{"月末"};
    for (std::string& day : Numbered("%d日", 1, 27)) texts.push_back(std::move(day));
    return texts;
}

std::vector<std::string> FontSizeTexts() {
    return Numbered("%2d", kSmallestFontPoints, kLargestFontPoints);
}

std::vector<std::string> FractionModeTexts() {
    return {"切り上げ", "四捨五入", "切り捨て"};
}

std::vector<std::string> StartHourTexts() {
    return Numbered("%02d:00", 0, 23);
}

std::vector<std::string> EndHourTexts() {
    return Numbered("%02d:59", 0, 23);
}

std::optional<int> FontSizeItem(int fontSize) {
    if (fontSize % 10 != 0) return std::nullopt;
    return ItemForStoredIndex(fontSize / 10 - kSmallestFontPoints,
                              kLargestFontPoints - kSmallestFontPoints + 1);
}

int FontSizeOfItem(int item) {
    return (kSmallestFontPoints + item) * 10;
}

std::optional<int> ItemForStoredIndex(int stored, int itemCount) {
    if (stored < 0 || stored >= itemCount) return std::nullopt;
    return stored;
}

int SettingsHelpTopic(int controlId) {
    switch (controlId) {
        case 1018:
        case 1024:
            return kAddMatterHelpTopic;
        case 1025:
        case 1043:
            return kChangeMatterHelpTopic;
        case 1021:
        case 1022:
        case 1027:
        case 1028:
            return 430;  // up and down
        case 1020:
        case 1026:
            return 440;  // delete
        case 1029:
        case 1064:
            return 460;  // close day
        case 1030:
        case 1065:
            return 470;  // font size
        case 1040:
        case 1066:
            return 480;  // rounding
        case 1041:
            return 490;  // wizard at start
        default:
            return kSettingsHelpTopic;
    }
}

}  // namespace tallymo
