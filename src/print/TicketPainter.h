#pragma once

#include "core/output/TicketLayout.h"

#include <QImage>
#include <QPageLayout>

#include <string>

class QPainter;

namespace lotto {

// The page a ticket is printed on: A4 portrait, margins top, left and right 0, bottom 10 mm.
QPageLayout ticketPageLayout();

// The scan of a blank ticket for test prints; a null image when it cannot be read.
QImage loadTicketScan(const std::string& path);

// Paints the ticket layout with the painter's origin at the page's top left corner; dpi is
// the device's resolution (layout units are 1/96 inch). Fonts stay in points, so the painter
// must not be scaled. A test print shows the scan behind the marks, or, without a scan, the
// ticket's boxes drawn where the marks land with the default offsets.
void paintTicket(QPainter& painter, double dpi, const TicketLayout& layout, const QImage& scan);

// The page as one PDF document, exactly as the print preview prints it.
std::string ticketPdf(const TicketLayout& layout, const QImage& scan);

} // namespace lotto
