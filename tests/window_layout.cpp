// Writes the window's expected layout, from the form's definition, for the
// tests that are not C++: window_layout.json for the Python ones, and
// window_layout.sh for the shell ones to source. Run by the build on the
// machine that builds, whatever the target.
//
// usage: window_layout <json file> <shell file>

#include "app/json_string.h"
#include "tests/window_expectations.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

namespace {

// A word in single quotes, for the shell.
std::string quoted(std::string_view text) {
    std::string result = "'";
    for (const char c : text) result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

// A pattern that matches the text alone, as xdotool's --name takes one.
std::string whole_match(std::string_view text) {
    std::string result = "^";
    for (const char c : text) {
        if (std::string_view("\\^$.|?*+()[]{}").find(c) != std::string_view::npos) result += '\\';
        result += c;
    }
    return result + "$";
}

std::string hex(rt::Colour colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", colour.red(), colour.green(), colour.blue());
    return text;
}

const char* kind_name(rt::ControlKind kind) {
    switch (kind) {
    case rt::ControlKind::Label:
        return "label";
    case rt::ControlKind::OptionButton:
        return "option";
    case rt::ControlKind::CheckBox:
        return "check";
    case rt::ControlKind::CommandButton:
        return "command";
    case rt::ControlKind::TextBox:
        return "text";
    }
    return "?";
}

// Label1, Option1(0) and so on: a control array of one member goes by the
// array's name.
std::string name_of(const rt::ControlDefinition& control) {
    std::string name(control.array);
    if (expected::members(control.array).size() > 1)
        name.append("(").append(std::to_string(control.index)).append(")");
    return name;
}

bool on_whole_pixels() {
    auto whole = [](auto... twips) { return ((twips % expected::twips_per_pixel == 0) && ...); };
    bool all_whole = whole(expected::window().client_width, expected::window().client_height);
    for (const rt::ControlDefinition& control : quenlor::controls()) {
        const rt::TwipsRect& r = control.rect;
        if (whole(r.left, r.top, r.width, r.height)) continue;
        std::fprintf(stderr, "window_layout: %s is not on whole pixels at 96 dpi\n",
                     name_of(control).c_str());
        all_whole = false;
    }
    return all_whole;
}

std::string json_layout() {
    const rt::WindowDefinition& window = expected::window();
    std::string out = "{\"caption\": " + json(window.caption) + ",\n \"client\": [" +
                      std::to_string(expected::client_width()) + ", " +
                      std::to_string(expected::client_height()) +
                      "],\n \"colour\": " + json(hex(window.back_colour)) + ",\n \"controls\": {";
    const char* separator = "\n  ";
    for (const rt::ControlDefinition& control : quenlor::controls()) {
        const expected::Place place = expected::place_of(control);
        out +=
            separator + json(name_of(control)) + ": {\"kind\": " + json(kind_name(control.kind)) +
            ", \"place\": [" + std::to_string(place.left) + ", " + std::to_string(place.top) +
            ", " + std::to_string(place.width) + ", " + std::to_string(place.height) +
            "], \"colour\": " + (control.back_colour ? json(hex(*control.back_colour)) : "null") +
            ", \"text\": " + json(control.text) + "}";
        separator = ",\n  ";
    }
    return out + "}}\n";
}

std::string shell_layout(std::string_view json_file) {
    const rt::WindowDefinition& window = expected::window();
    std::string out = "# The window as the form defines it, in pixels at 96 dpi, written by the\n"
                      "# build (tests/window_layout.cpp): sourced by the test scripts.\n";
    out += "window_layout_json=" + quoted(json_file) + "\n";
    out += "window_caption=" + quoted(window.caption) + "\n";
    out += "window_caption_pattern=" + quoted(whole_match(window.caption)) + "\n";
    out += "client_area=" + std::to_string(expected::client_width()) + "x" +
           std::to_string(expected::client_height()) + "\n";
    out += "form_colour=" + quoted(hex(window.back_colour)) + "\n";
    out += "# The controls in tab order; the place of each in the client area as\n"
           "# left top width height, and its middle as x y.\n";
    std::string names = "window_controls=(", places = "declare -A place=(",
                middles = "declare -A middle=(";
    for (const rt::ControlDefinition& control : quenlor::controls()) {
        const expected::Place at = expected::place_of(control);
        const std::string key = "\n    [" + quoted(name_of(control)) + "]=\"";
        names += "\n    " + quoted(name_of(control));
        places += key + std::to_string(at.left) + " " + std::to_string(at.top) + " " +
                  std::to_string(at.width) + " " + std::to_string(at.height) + "\"";
        middles += key + std::to_string(at.left + at.width / 2) + " " +
                   std::to_string(at.top + at.height / 2) + "\"";
    }
    return out + names + "\n)\n" + places + "\n)\n" + middles + "\n)\n";
}

bool write(const char* path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
    file.close();
    if (file) return true;
    std::fprintf(stderr, "window_layout: could not write %s\n", path);
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: window_layout <json file> <shell file>\n");
        return 2;
    }
    if (!on_whole_pixels()) return 1;
    return write(argv[1], json_layout()) && write(argv[2], shell_layout(argv[1])) ? 0 : 1;
}
