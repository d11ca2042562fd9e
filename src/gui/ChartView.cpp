#include "gui/ChartView.h"

#include "gui/QtDates.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QLinearGradient>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>

namespace lotto {

ChartView::ChartView(QWidget* parent) : QChartView(parent) {
    setObjectName(QStringLiteral("Chart1"));
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::RectangleRubberBand);
    chart()->legend()->hide();
    chart()->setMargins(QMargins(4, 4, 4, 4));
}

void ChartView::clearChart() {
    QChart* c = chart();
    c->removeAllSeries();
    for (QAbstractAxis* axis : c->axes()) {
        c->removeAxis(axis);
        delete axis;
    }
    c->zoomReset();
}

void ChartView::showModel(const ChartModel& model) {
    QChart* c = chart();
    clearChart();
    c->setLocalizeNumbers(false);

    auto* axisX = new QCategoryAxis;
    axisX->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    // The title's runs of blanks are part of the caption; the axis would fold them.
    axisX->setTitleText(QString::fromStdString(model.axisTitle).replace(QLatin1Char(' '), QChar(0x00A0)));
    axisX->setTruncateLabels(false);
    axisX->setGridLineVisible(false);
    QFont labelFont = axisX->labelsFont();
    labelFont.setPointSizeF(std::max(6.0, labelFont.pointSizeF() - 2));
    axisX->setLabelsFont(labelFont);
    auto* axisY = new QValueAxis;
    axisY->setLabelFormat(QStringLiteral("%d"));
    c->addAxis(axisX, Qt::AlignBottom);
    c->addAxis(axisY, Qt::AlignLeft);

    const auto count = static_cast<int>(model.bars.size());
    if (model.barSeriesActive && count > 0) {
        auto* set = new QBarSet(QStringLiteral("Kreis"));
        QLinearGradient gradient(0, 0, 0, 1);
        gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
        gradient.setColorAt(0.0, QColor(0x4c, 0xd9, 0x4c));
        gradient.setColorAt(1.0, QColor(0x0b, 0x7a, 0x0b));
        set->setBrush(gradient);
        set->setPen(QPen(QColor(0x0b, 0x5a, 0x0b)));
        for (const ChartBar& bar : model.bars)
            set->append(bar.y);
        auto* series = new QBarSeries;
        series->setBarWidth(0.8);
        series->append(set);
        c->addSeries(series);
        series->attachAxis(axisX);
        series->attachAxis(axisY);
        // Label every point while they fit, else every tenth value.
        const int step = count <= 60 ? 1 : 10;
        for (int i = 0; i < count; ++i)
            if (step == 1 || model.bars[static_cast<std::size_t>(i)].x % step == 0)
                axisX->append(QString::number(model.bars[static_cast<std::size_t>(i)].x), i);
    }
    axisX->setRange(-0.5, std::max(count, 1) - 0.5);
    // A prepared chart without points shows an empty plot, without the axes of before.
    axisX->setVisible(count > 0);
    axisY->setVisible(count > 0);

    // Ticks on whole numbers only: a "%d" label of a fractional tick would not be its value.
    int low = 0;
    int high = 0;
    if (model.valueAxisAutomatic) {
        high = std::max(1, model.largestY());
        const int interval = valueTickInterval(high);
        high = (high + interval - 1) / interval * interval;
    } else {
        // The model keeps the exact smallest and largest count (later operations read them);
        // the view shows room below the smallest, so it keeps a bar, and a labelled tick at or
        // above the largest.
        low = model.valueAxisMin;
        high = model.valueAxisMax > low ? model.valueAxisMax : low + 1;
        for (int pass = 0; pass < 2; ++pass) {
            const int interval = valueTickInterval(high - low);
            low = low > 0 ? (low - 1) / interval * interval : 0;
            high = (high + interval - 1) / interval * interval;
        }
    }
    axisY->setRange(low, high);
    axisY->setTickType(QValueAxis::TicksDynamic);
    axisY->setTickAnchor(0);
    axisY->setTickInterval(valueTickInterval(high - low));
    axisY->setMinorTickCount(0);
}

void ChartView::showNetCurve(const std::vector<std::pair<DayNumber, std::int64_t>>& points) {
    QChart* c = chart();
    clearChart();
    // Euros with the German thousands separator: -40.000.
    c->setLocale(QLocale(QLocale::German));
    c->setLocalizeNumbers(true);
    auto* series = new QLineSeries;
    series->setObjectName(QStringLiteral("NetCurve"));
    series->setPen(QPen(QColor(0x0b, 0x5a, 0x0b), 2));
    double low = 0;
    double high = 0;
    QList<QPointF> data;
    data.reserve(static_cast<qsizetype>(points.size()));
    for (const auto& [day, cents] : points) {
        const double euros = static_cast<double>(cents) / 100.0;
        low = std::min(low, euros);
        high = std::max(high, euros);
        data.append(
            QPointF(static_cast<double>(QDateTime(toQDate(day), QTime(12, 0)).toMSecsSinceEpoch()), euros));
    }
    series->replace(data);
    c->addSeries(series);
    auto* axisX = new QDateTimeAxis;
    axisX->setFormat(QStringLiteral("MM.yyyy"));
    axisX->setTickCount(7);
    axisX->setTitleText(QStringLiteral("Gewinnbilanz aller Tipps: Gewinn minus Einsatz, aufsummiert"));
    auto* axisY = new QValueAxis;
    axisY->setTitleText(QStringLiteral("Saldo in €"));
    axisY->setLabelFormat(QStringLiteral("%.0f"));
    axisY->setRange(low, high > low ? high : low + 1);
    axisY->applyNiceNumbers();
    // Half a step below the lowest label, so it keeps clear of the first date in the corner.
    const double step = (axisY->max() - axisY->min()) / std::max(1, axisY->tickCount() - 1);
    axisY->setTickType(QValueAxis::TicksDynamic);
    axisY->setTickAnchor(0);
    axisY->setTickInterval(step);
    axisY->setRange(axisY->min() - step / 2, axisY->max());
    c->addAxis(axisX, Qt::AlignBottom);
    c->addAxis(axisY, Qt::AlignLeft);
    series->attachAxis(axisX);
    series->attachAxis(axisY);
    if (!points.empty())
        axisX->setRange(QDateTime(toQDate(points.front().first), QTime(0, 0)),
                        QDateTime(toQDate(points.back().first), QTime(23, 59)));
}

int ChartView::valueTickInterval(int span) {
    // 1, 2 or 5 times a power of ten, for at most ten steps over the span.
    for (long magnitude = 1;; magnitude *= 10)
        for (const long factor : {1, 2, 5})
            if (span <= 10 * factor * magnitude) return static_cast<int>(factor * magnitude);
}

void ChartView::addTools(QToolBar* toolBar) {
    auto add = [&](const QString& text, const QString& tip, QStyle::StandardPixmap icon, auto slot,
                   const QString& name) {
        QAction* action = toolBar->addAction(style()->standardIcon(icon), text, this, slot);
        action->setToolTip(text + QStringLiteral(": ") + tip);
        action->setObjectName(name);
        // Reachable with Tab like every other control, and named for screen readers.
        if (auto* button = qobject_cast<QToolButton*>(toolBar->widgetForAction(action))) {
            button->setObjectName(name + QStringLiteral("Button"));
            button->setFocusPolicy(Qt::TabFocus);
            button->setAccessibleName(text);
        }
        return action;
    };
    add(QStringLiteral("Vergrößern"), QStringLiteral("Diagramm vergrößern"), QStyle::SP_ArrowUp,
        &ChartView::zoomInChart, QStringLiteral("ChartZoomIn"));
    add(QStringLiteral("Verkleinern"), QStringLiteral("Diagramm verkleinern"), QStyle::SP_ArrowDown,
        &ChartView::zoomOutChart, QStringLiteral("ChartZoomOut"));
    add(QStringLiteral("Zurücksetzen"), QStringLiteral("Ursprüngliche Ansicht"), QStyle::SP_BrowserReload,
        &ChartView::resetZoom, QStringLiteral("ChartZoomReset"));
    toolBar->addSeparator();
    add(
        QStringLiteral("Speichern"), QStringLiteral("Diagramm als PNG-Bild speichern"),
        QStyle::SP_DialogSaveButton,
        [this] {
            QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
            if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
            const QString file = QFileDialog::getSaveFileName(
                this, QStringLiteral("Diagramm speichern"),
                QDir(folder).filePath(QStringLiteral("Diagramm.png")), QStringLiteral("PNG-Bild (*.png)"));
            if (!file.isEmpty() && !savePng(file))
                QMessageBox::critical(this, QStringLiteral("Zerbosts Lotto"),
                                      QStringLiteral("Das Diagramm konnte nicht als %1 gespeichert werden.")
                                          .arg(QDir::toNativeSeparators(file)));
        },
        QStringLiteral("ChartSave"));
    add(QStringLiteral("Kopieren"), QStringLiteral("Diagramm in die Zwischenablage kopieren"),
        QStyle::SP_FileDialogDetailedView, &ChartView::copyToClipboard, QStringLiteral("ChartCopy"));
    add(QStringLiteral("Drucken"), QStringLiteral("Diagramm drucken"), QStyle::SP_FileIcon,
        &ChartView::printChart, QStringLiteral("ChartPrint"));
}

void ChartView::zoomInChart() {
    chart()->zoomIn();
}
void ChartView::zoomOutChart() {
    chart()->zoomOut();
}
void ChartView::resetZoom() {
    chart()->zoomReset();
}

bool ChartView::savePng(const QString& file) {
    return grab().save(file, "PNG");
}

void ChartView::copyToClipboard() {
    QApplication::clipboard()->setPixmap(grab());
}

void ChartView::printChart() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    QPainter painter(&printer);
    render(&painter);
}

} // namespace lotto
