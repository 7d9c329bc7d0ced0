#pragma once

#include "runtime/geometry.h"
#include "runtime/types.h"

#include <optional>
#include <span>
#include <string_view>

namespace rt {

class FormHandle;

// The colours drawn on every back colour that the form fixes: those of the
// light theme that the form's colours were chosen with. Text is black, and
// the box of an option button's or check box's mark white. The platform's
// text colour belongs with the platform's background only.
inline constexpr Colour text_on_back_colour{0x00000000};
inline constexpr Colour box_on_back_colour{0x00FFFFFF};

enum class ControlKind { Label, OptionButton, CheckBox, CommandButton, TextBox };

enum class Alignment { Left, Centre };

// A graphical command button is drawn flat in its back colour.
enum class ButtonStyle { Standard, Graphical };

// A text box's text wraps at its width: it scrolls only down.
enum class ScrollBars { None, Vertical };

// One control of the form. Texts are UTF-8; a line break is CR LF.
struct ControlDefinition {
    ControlKind kind;
    std::string_view array;
    Index index;
    std::string_view text; // the caption, or a text box's starting text
    TwipsRect rect;
    std::optional<Colour> back_colour = std::nullopt; // nullopt: the platform's default
    Alignment alignment = Alignment::Left;
    ButtonStyle style = ButtonStyle::Standard;
    ScrollBars scroll_bars = ScrollBars::None;
    bool locked = false;
    // What assistive technology calls a control that has no caption of its own.
    std::string_view accessible_name = {};
};

struct FontDefinition {
    std::string_view name;
    int points;
    int weight;  // 400 regular, 700 bold
    int charset; // 204 Cyrillic
};

// The window's icon among the program's resources: its path in Qt's
// resources and its id in a Windows executable's.
struct IconResource {
    std::string_view path;
    int id = 0;
};

// A window of fixed size, with a close box alone.
struct WindowDefinition {
    std::string_view caption;
    Twips client_width;
    Twips client_height;
    Colour back_colour;
    FontDefinition font;
    // The label whose caption describes the window to assistive technology.
    std::string_view heading = {};
    IconResource icon = {};
    // What assistive technology calls the close box of a frame that the
    // runtime draws itself, in the form's language.
    std::string_view close_box_name = {};
};

using LoadProcedure = void (*)(FormHandle&);
using ClickProcedure = void (*)(FormHandle&, Index);

// The procedure that serves the clicks of one control array.
struct ClickHandler {
    std::string_view array;
    ClickProcedure procedure;
};

struct EventProcedures {
    LoadProcedure load = nullptr;
    std::span<const ClickHandler> click;
};

// A form: its window, its controls in creation and tab order, and the
// procedures the runtime raises for it.
struct FormDefinition {
    WindowDefinition window;
    std::span<const ControlDefinition> controls;
    EventProcedures events;
};

// What the process entry hands the runtime: the program's title, used for
// its run-time error reports, the form it starts with, and the name a desktop
// knows the program by (its desktop entry's, without ".desktop"), if any.
struct Project {
    std::string_view title;
    const FormDefinition& startup_form;
    std::string_view desktop_id = {};
};

} // namespace rt
