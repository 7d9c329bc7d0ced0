#include "runtime/qt/text_box.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QRawFont>
#include <QTextBlockFormat>
#include <QTextCursor>

#include <cmath>
#include <cstdint>

namespace rt {

namespace {

// A big-endian signed 16-bit field of a font table.
int int16_at(const QByteArray& table, qsizetype offset) {
    const auto high = static_cast<unsigned char>(table[offset]);
    const auto low = static_cast<unsigned char>(table[offset + 1]);
    return static_cast<std::int16_t>((high << 8) | low);
}

// The font's own line spacing (the ascender, descender and line gap of its
// horizontal header), rounded up to whole pixels.
int font_line_spacing(const QFont& font) {
    const QRawFont raw = QRawFont::fromFont(font);
    const QByteArray header = raw.fontTable("hhea");
    if (!raw.isValid() || header.size() < 10 || raw.unitsPerEm() <= 0)
        return static_cast<int>(std::ceil(QFontMetricsF(font).lineSpacing()));
    const int ascender = int16_at(header, 4);
    const int descender = int16_at(header, 6);
    const int line_gap = int16_at(header, 8);
    const double units = ascender - descender + line_gap;
    // Rounded up; a spacing that is a whole number of pixels, give or take the
    // division's rounding error, stays that number.
    return static_cast<int>(std::ceil(units * raw.pixelSize() / raw.unitsPerEm() - 1e-6));
}

} // namespace

TextBox::TextBox(QWidget* parent) : QTextEdit(parent) {
    // Text pasted or dropped in arrives as plain text, in the box's spacing.
    setAcceptRichText(false);
}

void TextBox::set_lines(const QString& lines) {
    setPlainText(lines);
    space_lines();
}

int TextBox::line_spacing() const {
    return font_line_spacing(font());
}

void TextBox::changeEvent(QEvent* event) {
    QTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) space_lines();
}

// New lines typed later take their block's format, and so this spacing.
void TextBox::space_lines() {
    QTextBlockFormat format;
    format.setLineHeight(line_spacing(), QTextBlockFormat::FixedHeight);
    QTextCursor all(document());
    all.select(QTextCursor::Document);
    all.mergeBlockFormat(format);
}

} // namespace rt
