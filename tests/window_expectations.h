#pragma once

// What the news selection window must look like, in pixels at 96 dpi, taken
// from the form's own definition: for the tests of each desktop backend, and
// through the files the build writes from it (window_layout.cpp) for the test
// scripts and the page's tests. Twips become pixels here by plain division,
// not through the runtime's conversion, so that a fault there shows as a
// control out of place.

#include "form/quenlor_form.h"

#include <string>
#include <vector>

namespace expected {

// Twips become pixels at 96 dpi by plain division, 15 to a pixel: the form
// places every control on whole pixels, and window_layout stops the build at
// a place that is not.
inline constexpr rt::Twips twips_per_pixel = 15;

constexpr int pixels(rt::Twips twips) {
    return twips / twips_per_pixel;
}

inline const rt::WindowDefinition& window() {
    return quenlor::form().window;
}

inline int client_width() {
    return pixels(window().client_width);
}

inline int client_height() {
    return pixels(window().client_height);
}

// The members of a control array, in order.
inline std::vector<rt::ControlDefinition> members(std::string_view array) {
    std::vector<rt::ControlDefinition> result;
    for (const rt::ControlDefinition& control : quenlor::controls())
        if (control.array == array) result.push_back(control);
    return result;
}

struct Place {
    std::string array;
    int index;
    int left, top, width, height;
};

inline Place place_of(const rt::ControlDefinition& control) {
    const rt::TwipsRect& r = control.rect;
    return {std::string(control.array),
            control.index,
            pixels(r.left),
            pixels(r.top),
            pixels(r.width),
            pixels(r.height)};
}

// Every control's place, in tab order.
inline std::vector<Place> places() {
    std::vector<Place> result;
    for (const rt::ControlDefinition& control : quenlor::controls())
        result.push_back(place_of(control));
    return result;
}

struct Sample {
    std::string where;
    int x, y;
    int red, green, blue;
};

inline Sample sample(std::string where, int x, int y, rt::Colour colour) {
    return {std::move(where), x, y, colour.red(), colour.green(), colour.blue()};
}

// A point at dx, dy from the top left corner of a control array's member, or
// from its right end where dx is negative, that shows its back colour.
inline Sample inside(std::string where, std::string_view array, int index, int dx, int dy) {
    const rt::ControlDefinition control = members(array).at(static_cast<std::size_t>(index));
    const Place at = place_of(control);
    return sample(std::move(where), dx < 0 ? at.left + at.width + dx : at.left + dx, at.top + dy,
                  control.back_colour.value_or(window().back_colour));
}

// Points inside each coloured area, clear of text, with "Добра новина"
// chosen. Each title is sampled at its row's right end.
inline std::vector<Sample> good_news_colours() {
    std::vector<Sample> result{
        sample("form", client_width() - 7, 200, window().back_colour),
        sample("form between groups", 200, 100, window().back_colour),
        inside("heading's left end", "Label1", 0, 2, 12),
        inside("heading's right end", "Label1", 0, -3, 22),
        inside("bad news option", "Option1", 0, -3, 16),
        inside("good news option", "Option1", 1, -3, 16),
        inside("Изведи", "Command1", 0, 5, 5),
        inside("Изтрий", "Command1", 1, 5, 5),
        sample("text box margin", pixels(members("Text1")[0].rect.left) + 3,
               pixels(members("Text1")[0].rect.top) + 3, rt::Colour{0x00FFFFFF}),
    };
    for (const rt::ControlDefinition& title : members("Check2"))
        result.push_back(inside("good news title", "Check2", title.index, -3, 16));
    return result;
}

inline std::vector<Sample> bad_news_title_colours() {
    std::vector<Sample> result;
    for (const rt::ControlDefinition& title : members("Check1"))
        result.push_back(inside("bad news title", "Check1", title.index, -3, 16));
    return result;
}

} // namespace expected
