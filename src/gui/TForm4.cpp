#include "gui/TForm4.h"

#include "print/TicketPainter.h"

#include <QPainter>
#include <QPrintPreviewDialog>
#include <QWidget>

namespace lotto {

TForm4::TForm4(QWidget* parent) : QObject(parent), m_parent(parent) {
    setObjectName(QStringLiteral("Form4"));
}

void TForm4::prepare(const TicketLayout& layout) {
    m_printer.setPageLayout(ticketPageLayout());
    // Positions count from the paper's corner on every printer, whatever margins it needs.
    m_printer.setFullPage(true);
    m_printer.setDocName(QString::fromUtf8(ticket::kReportTitle));
    // A scan that cannot be read leaves the one loaded before.
    if (!layout.imagePath().empty() && layout.imagePath() != m_scanPath) {
        QImage scan = loadTicketScan(layout.imagePath());
        if (!scan.isNull()) {
            m_scan = std::move(scan);
            m_scanPath = layout.imagePath();
        }
    }
}

void TForm4::paint(QPrinter* printer, const TicketLayout& layout) {
    QPainter painter(printer);
    if (!painter.isActive()) return;
    paintTicket(painter, printer->resolution(), layout, m_scan);
}

void TForm4::preview(const TicketLayout& layout) {
    prepare(layout);
    QPrintPreviewDialog dialog(&m_printer, m_parent);
    dialog.setObjectName(QStringLiteral("TicketReport1"));
    dialog.setWindowTitle(QString::fromUtf8(ticket::kReportTitle));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this, &layout](QPrinter* printer) { paint(printer, layout); });
    dialog.exec();
}

} // namespace lotto
