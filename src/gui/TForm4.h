#pragma once

#include "core/output/TicketLayout.h"

#include <QImage>
#include <QObject>
#include <QPrinter>

#include <string>

class QWidget;

namespace lotto {

// The ticket print "Druck des Lottoscheines": shows the placed layout in a print preview
// from which the user prints on a chosen printer or into a PDF. Kept for the program's
// life, so the chosen printer and a scan once loaded stay for later prints.
class TForm4 : public QObject {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);

    // The modal print preview of the layout.
    void preview(const TicketLayout& layout);
    // Prepares the printer and the scan for the layout; preview() and tests call it.
    void prepare(const TicketLayout& layout);
    void paint(QPrinter* printer, const TicketLayout& layout);

    QPrinter& printer() { return m_printer; }
    const QImage& scan() const { return m_scan; }

private:
    QWidget* m_parent;
    QPrinter m_printer{QPrinter::HighResolution};
    QImage m_scan;
    std::string m_scanPath;
};

} // namespace lotto
