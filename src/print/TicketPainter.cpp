#include "print/TicketPainter.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <stdexcept>

namespace lotto {

namespace {

QFont markFont() {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.0);
    font.setBold(true);
    return font;
}

QFont gridFont() {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(5.0);
    return font;
}

// Converts layout units (1/96 inch) into device pixels.
class Units {
public:
    explicit Units(double dpi) : m_scale(dpi / ticket::kUnitsPerInch) {}
    double operator()(double units) const { return units * m_scale; }

private:
    double m_scale;
};

// The ticket's boxes as the marks meet them with the default offsets: twelve fields of
// 6 x 8 boxes numbered 1 to 45, the day boxes and the Joker boxes. A stand-in for the scan
// of a blank ticket, so the offsets can be checked on a test print without one.
void paintTicketGrid(QPainter& painter, const Units& u, QPointF glyphCentre) {
    constexpr double kBox = 10.0; // box side; fields keep a gap of 1 unit at a pitch of 87
    const QColor ink(200, 55, 55);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(170, 170, 170), u(0.75)));
    painter.drawRect(
        QRectF(u(ticket::kImageLeft), u(ticket::kImageTop), u(ticket::kImageWidth), u(ticket::kImageHeight)));

    auto boxAt = [&](int markLeft, int markTop) {
        const QPointF centre(u(markLeft) + glyphCentre.x(), u(markTop) + glyphCentre.y());
        return QRectF(centre.x() - u(kBox / 2), centre.y() - u(kBox / 2), u(kBox), u(kBox));
    };
    painter.setFont(gridFont());
    const int top = ticket::kDefaultTop;
    const int left = ticket::kDefaultLeft;
    for (int slot = 0; slot < ticket::kFieldSlots; ++slot) {
        const QRectF first = boxAt(ticket::numberLeft(left, 1, slot), ticket::numberTop(top, 1, slot));
        const double fieldWidth = (ticket::kFieldColumns - 1) * ticket::kBoxPitch + kBox + 2;
        const double fieldHeight = (ticket::kFieldRows - 1) * ticket::kBoxPitch + kBox + 2;
        painter.setPen(QPen(ink, u(1.0)));
        painter.drawRect(QRectF(first.left() - u(1), first.top() - u(1), u(fieldWidth), u(fieldHeight)));
        painter.setPen(QPen(ink, u(0.5)));
        for (int number = 1; number <= 45; ++number) {
            const QRectF box =
                boxAt(ticket::numberLeft(left, number, slot), ticket::numberTop(top, number, slot));
            painter.drawRect(box);
            painter.drawText(box, Qt::AlignCenter, QString::number(number));
        }
    }

    struct Labelled {
        int left, top;
        const char* text;
        Qt::Alignment side; // where the caption goes: left of, right of or above the box
    };
    const int dayTop = top + ticket::kDayMarksTop;
    const int optionTop = top + ticket::kOptionMarksTop;
    const Labelled boxes[] = {
        {left + 103, dayTop, "ein Ziehungstag", Qt::AlignLeft},
        {left + 118, dayTop, "beide Ziehungstage", Qt::AlignRight},
        {left + 262, optionTop, "Joker 3", Qt::AlignTop},
        {left + 292, optionTop, "Joker 2", Qt::AlignTop},
        {left + 322, optionTop, "Joker", Qt::AlignTop},
        {left + 352, optionTop, "kein Joker", Qt::AlignTop},
    };
    for (const Labelled& b : boxes) {
        const QRectF box = boxAt(b.left, b.top);
        painter.drawRect(box);
        const QString text = QString::fromUtf8(b.text);
        if (b.side == Qt::AlignLeft)
            painter.drawText(QRectF(box.left() - u(102), box.top() - u(2), u(100), box.height() + u(4)),
                             Qt::AlignRight | Qt::AlignVCenter, text);
        else if (b.side == Qt::AlignRight)
            painter.drawText(QRectF(box.right() + u(2), box.top() - u(2), u(100), box.height() + u(4)),
                             Qt::AlignLeft | Qt::AlignVCenter, text);
        else
            painter.drawText(QRectF(box.center().x() - u(30), box.top() - u(10), u(60), u(9)),
                             Qt::AlignHCenter | Qt::AlignBottom, text);
    }
    painter.restore();
}

} // namespace

QPageLayout ticketPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 10),
                       QPageLayout::Millimeter);
}

QImage loadTicketScan(const std::string& path) {
    if (path.empty()) return {};
    return QImage(QString::fromStdString(path));
}

void paintTicket(QPainter& painter, double dpi, const TicketLayout& layout, const QImage& scan) {
    const Units u(dpi);
    const QFont font = markFont();
    const QFontMetricsF metrics(font, painter.device());
    // A mark is a label sized to its text: (left, top) is the corner of the text's box.
    const QRectF glyph = metrics.tightBoundingRect(QStringLiteral("x"));
    const QPointF glyphCentre(glyph.center().x(), metrics.ascent() + glyph.center().y());

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (layout.imageEnabled()) {
        if (!scan.isNull())
            painter.drawImage(QRectF(u(ticket::kImageLeft), u(ticket::kImageTop), u(ticket::kImageWidth),
                                     u(ticket::kImageHeight)),
                              scan);
        else
            paintTicketGrid(painter, u, glyphCentre);
    }
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (const TicketMark& mark : layout.marks())
        if (mark.printed())
            painter.drawText(QPointF(u(mark.left), u(mark.top) + metrics.ascent()),
                             QString::fromStdString(mark.caption));
    painter.restore();
}

std::string ticketPdf(const TicketLayout& layout, const QImage& scan) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(ticketPageLayout());
        writer.setTitle(QString::fromUtf8(ticket::kReportTitle));
        writer.setCreator(QStringLiteral("Zerbosts Lotto"));
        QPainter painter;
        if (!painter.begin(&writer)) throw std::runtime_error("Die PDF-Seite kann nicht erstellt werden");
        paintTicket(painter, writer.resolution(), layout, scan);
        painter.end();
    }
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace lotto
