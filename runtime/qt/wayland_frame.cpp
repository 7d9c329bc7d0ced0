#include "runtime/qt/wayland_frame.h"

#include <QAbstractButton>
#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include <algorithm>

namespace rt {

namespace {

constexpr int border = 1;
const QColor border_colour(0x70, 0x70, 0x70);
const QColor bar_colour(0xE4, 0xE4, 0xE4);
const QColor inactive_bar_colour(0xF2, 0xF2, 0xF2);
const QColor close_hover_colour(0xD9, 0x3B, 0x3B);

bool is_active(const QWidget& widget) {
    return widget.window()->isActiveWindow();
}

// The × that closes the window.
class CloseButton final : public QAbstractButton {
public:
    CloseButton(QWidget* parent, const QString& name) : QAbstractButton(parent) {
        setFocusPolicy(Qt::NoFocus);
        setAccessibleName(name);
        setAttribute(Qt::WA_Hover);
        QObject::connect(this, &QAbstractButton::clicked, this, [this] { window()->close(); });
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const bool hovered = underMouse();
        if (hovered) painter.fillRect(rect(), close_hover_colour);
        QPen pen(hovered ? Qt::white : (is_active(*this) ? Qt::black : Qt::gray));
        pen.setWidthF(1.5);
        painter.setPen(pen);
        const qreal arm = height() / 5.0;
        const QPointF centre = QRectF(rect()).center();
        painter.drawLine(centre + QPointF(-arm, -arm), centre + QPointF(arm, arm));
        painter.drawLine(centre + QPointF(-arm, arm), centre + QPointF(arm, -arm));
    }
};

// The title bar: icon and caption; dragging it moves the window. A double
// click does nothing: there is no maximised state to go to.
class TitleBar final : public QWidget {
public:
    TitleBar(QWidget* parent, const QString& close_name)
        : QWidget(parent), m_close(new CloseButton(this, close_name)) {}

protected:
    void resizeEvent(QResizeEvent*) override {
        m_close->setGeometry(width() - height(), 0, height(), height());
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) window()->windowHandle()->startSystemMove();
    }

    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), is_active(*this) ? bar_colour : inactive_bar_colour);
        const int icon_size = height() - 8;
        const QRect icon(4, 4, icon_size, icon_size);
        window()->windowIcon().paint(&painter, icon);
        // The caption centred on the bar, in the room the icon and button leave.
        const int side = std::max(icon.right() + 4, height());
        const QRect room = rect().adjusted(side, 0, -side, 0);
        painter.setPen(is_active(*this) ? Qt::black : Qt::darkGray);
        const QString caption =
            fontMetrics().elidedText(window()->windowTitle(), Qt::ElideRight, room.width());
        painter.drawText(room, Qt::AlignCenter, caption);
    }

private:
    CloseButton* m_close;
};

int title_bar_height(const QFontMetrics& metrics) {
    return std::max(24, metrics.height() + 8);
}

} // namespace

WaylandFrame::WaylandFrame(QWidget& form_window, const QString& close_name)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    setWindowTitle(form_window.windowTitle());
    setWindowIcon(form_window.windowIcon());
    const int bar = title_bar_height(fontMetrics());
    const QSize client = form_window.size();
    auto* title_bar = new TitleBar(this, close_name);
    title_bar->setGeometry(border, border, client.width(), bar);
    form_window.setParent(this, Qt::Widget);
    form_window.move(border, border + bar);
    setFixedSize(client.width() + 2 * border, client.height() + bar + 2 * border);
}

void WaylandFrame::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) update();
}

void WaylandFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(border_colour);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

std::unique_ptr<QWidget> make_frame(QWidget& form_window, const QString& close_name) {
    if (QGuiApplication::platformName() != QLatin1String("wayland")) return nullptr;
    return std::make_unique<WaylandFrame>(form_window, close_name);
}

} // namespace rt
