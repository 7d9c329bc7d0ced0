#pragma once

#include <QColor>
#include <QPushButton>
#include <QString>

namespace rt {

// A command button filled flat with its back colour inside a raised edge,
// sunken while pressed, with a dotted focus rectangle. Its caption is drawn
// in the text colour given for that back colour.
class GraphicalButton final : public QPushButton {
public:
    GraphicalButton(const QString& caption, QColor back_colour, QColor text_colour,
                    QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_caption;
    QColor m_back_colour;
    QColor m_text_colour;
};

} // namespace rt
