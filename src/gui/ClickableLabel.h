#pragma once

#include <QLabel>
#include <QMouseEvent>

namespace lotto {

// A label that reacts to a click like a button (banners, links, the "1. Tipp" caption).
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
            event->accept(); // handled here: a clickable panel around it must not see it again
            Q_EMIT clicked();
            return;
        }
        QLabel::mouseReleaseEvent(event);
    }
};

} // namespace lotto
