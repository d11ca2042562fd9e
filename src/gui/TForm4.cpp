#include "gui/TForm4.h"

#include "print/TicketPainter.h"

#include <QPainter>
#include <QPrintPreviewDialog>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
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
    // Printing is what the preview is for: its button leads the tool bar, so a narrow (or
    // scaled) screen never hides it in the bar's overflow.
    if (auto* bar = dialog.findChild<QToolBar*>()) {
        const QList<QAction*> actions = bar->actions();
        if (actions.size() > 1) {
            QAction* print = actions.last();
            print->setObjectName(QStringLiteral("TicketPrintAction"));
            print->setText(QStringLiteral("Drucken"));
            print->setToolTip(QStringLiteral("Drucken"));
            bar->insertAction(actions.first(), print);
            bar->insertSeparator(actions.first());
            if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(print)))
                button->setFocusPolicy(Qt::TabFocus);
        }
    }
    if (m_parent && m_parent->screen()) {
        const QRect screen = m_parent->screen()->availableGeometry();
        dialog.resize(std::min(900, screen.width() - 20), screen.height() - 40);
    }
    dialog.exec();
}

} // namespace lotto
