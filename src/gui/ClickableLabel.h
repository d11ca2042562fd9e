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
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            Q_EMIT clicked();
        QLabel::mouseReleaseEvent(event);
    }
};

} // namespace lotto
