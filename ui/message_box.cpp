#include "message_box.h"

#include <QEvent>
#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <QWindow>
#include <algorithm>

namespace pentora {

namespace {

// Room for a title bar's buttons beside the title.
constexpr int kTitleBarButtons = 120;

// The margins of a window's frame, as the platform reads them now. QWidget::frameGeometry() may
// keep margins read while the window manager was still framing the window.
QMargins frameMargins(const QWidget* w) {
    return w->windowHandle() != nullptr ? w->windowHandle()->frameMargins() : QMargins();
}

} // namespace

MessageBox::MessageBox(const QString& title, const QString& text, QWidget* parent)
    : QMessageBox(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent,
                  Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                      Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setTextFormat(Qt::PlainText);
}

void MessageBox::setMessage(const QString& title, const QString& text) {
    fitted_ = false;
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setWindowTitle(title);
    setText(text);
}

bool MessageBox::event(QEvent* event) {
    if (event->type() == QEvent::LayoutRequest && fitted_) {
        // Qt's box would size itself anew, breaking the lines: the layout only.
        return QDialog::event(event); // NOLINT(bugprone-parent-virtual-call): on purpose
    }
    const bool handled = QMessageBox::event(event);
    if (event->type() == QEvent::Show) {
        fit(); // after Qt has sized the box, before it is on the screen
        fitted_ = true;
    }
    return handled;
}

void MessageBox::fit() {
    const QRect area = screen() != nullptr ? screen()->availableGeometry() : QRect();
    QSize size = this->size(); // as Qt sized it
    auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (label != nullptr && label->wordWrap()) {
        label->setWordWrap(false);
        layout()->activate();
        const QSize whole = layout()->totalMinimumSize();
        if (area.isValid() && whole.width() > area.width()) {
            label->setWordWrap(true); // a screen too small even for one line: broken it is
        } else {
            size = whole;
        }
    }
    size.setWidth(
        std::max(size.width(), fontMetrics().horizontalAdvance(windowTitle()) + kTitleBarButtons));
    setFixedSize(size);
    layout()->activate();
    place(area);
}

// Centres the box's frame over the window's frame, moved inside the screen where that would
// cross an edge. Until the window manager has framed the box, its frame is taken to be as wide
// as the window's.
void MessageBox::place(const QRect& area) {
    const QWidget* window = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
    if (window == nullptr || !area.isValid()) {
        return;
    }
    const QMargins own = frameMargins(this);
    const QMargins frame = own.isNull() ? frameMargins(window) : own;
    QRect outer(QPoint(), size().grownBy(frame));
    outer.moveCenter(window->geometry().marginsAdded(frameMargins(window)).center());
    outer.moveLeft(std::max(area.left(), std::min(outer.left(), area.right() - outer.width() + 1)));
    outer.moveTop(std::max(area.top(), std::min(outer.top(), area.bottom() - outer.height() + 1)));
    setGeometry(outer.marginsRemoved(frame));
}

} // namespace pentora
