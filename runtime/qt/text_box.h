#pragma once

#include <QTextEdit>

namespace rt {

// A text box whose lines are as far apart as its font asks, on every Qt.
// Qt 6.4 spaces a plain text edit's lines by the font's ascent, descent and
// line gap, rounded up (19 pixels for Liberation Serif at 16); Qt 6.8 leaves
// the line gap out (18). This box fixes the spacing at the first figure.
class TextBox final : public QTextEdit {
public:
    explicit TextBox(QWidget* parent);

    // Replaces the text; every line keeps the box's spacing.
    void set_lines(const QString& lines);

    // The distance from one line to the next, in pixels.
    int line_spacing() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void space_lines();
};

} // namespace rt
