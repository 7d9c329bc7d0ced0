#pragma once

// What the news selection window must look like, in pixels at 96 dpi, for
// the tests of each desktop backend.

#include <vector>

namespace expected {

struct Place {
    const char* array;
    int index;
    int left, top, width, height;
};

inline std::vector<Place> places() {
    std::vector<Place> result{
        {"Label1", 0, 64, 0, 305, 25},    {"Text1", 0, 8, 232, 449, 121},
        {"Option1", 0, 24, 32, 121, 19},  {"Option1", 1, 216, 32, 121, 19},
        {"Command1", 0, 384, 40, 81, 25}, {"Command1", 1, 384, 152, 81, 25},
    };
    for (int i = 0; i <= 5; ++i) result.push_back({"Check1", i, 24, 64 + 24 * i, 169, 19});
    for (int i = 0; i <= 6; ++i) result.push_back({"Check2", i, 216, 64 + 24 * i, 161, 19});
    return result;
}

struct Sample {
    const char* where;
    int x, y;
    int red, green, blue;
};

// Points inside each coloured area, clear of text, with "Добра новина"
// chosen. Each title is sampled at its row's right end.
inline std::vector<Sample> good_news_colours() {
    std::vector<Sample> result{
        {"form", 463, 200, 192, 192, 255},
        {"form between groups", 200, 100, 192, 192, 255},
        {"heading's left end", 66, 12, 255, 192, 128},
        {"heading's right end", 366, 22, 255, 192, 128},
        {"bad news option", 142, 48, 255, 128, 0},
        {"good news option", 334, 48, 0, 255, 0},
        {"Изведи", 389, 45, 0, 255, 0},
        {"Изтрий", 389, 157, 255, 0, 0},
        {"text box margin", 11, 235, 255, 255, 255},
    };
    for (int i = 0; i <= 6; ++i)
        result.push_back({"good news title", 374, 64 + 24 * i + 16, 0, 255, 0});
    return result;
}

inline std::vector<Sample> bad_news_title_colours() {
    std::vector<Sample> result;
    for (int i = 0; i <= 5; ++i)
        result.push_back({"bad news title", 190, 64 + 24 * i + 16, 255, 128, 0});
    return result;
}

} // namespace expected
