#include "gui/StrategyTestDialog.h"

#include "core/archive/DrawArchive.h"
#include "core/shell/MainState.h"
#include "core/util/File.h"
#include "core/util/Text.h"
#include "gui/QtDates.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChartView>
#include <QtCharts/QValueAxis>

#include <cmath>

namespace lotto {

namespace {

constexpr int kHitRows = 7;

QString count(std::int64_t n) {
    return QLocale(QLocale::German).toString(static_cast<qlonglong>(n));
}
QString decimal(double value, int decimals) {
    return QLocale(QLocale::German).toString(value, 'f', decimals);
}
QString money(std::int64_t cents) {
    return QString::fromStdString(formatCents(cents));
}

QString rowName(int row) {
    if (row < kHitRows) return QStringLiteral("%1 Treffer").arg(row);
    return QStringLiteral("Rang ") +
           QString::fromUtf8(prizeRankName(static_cast<PrizeRank>(row - kHitRows)).data());
}

} // namespace

StrategyTestDialog::StrategyTestDialog(MainState& state, std::function<void()> finished, QWidget* parent)
    : QDialog(parent), m_state(state), m_finished(std::move(finished)) {
    setObjectName(QStringLiteral("StrategyTestDialog"));
    // Nothing else changes the options or the archive under a running test; its stop button
    // and this dialog stay usable.
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(QStringLiteral("Strategie-Test"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(QStringLiteral(
        "Für jede Ziehung des Zeitraums werden die Tipps so berechnet, wie „Tipps berechnen“ sie mit den "
        "aktuellen Optionen aus den Ziehungen davor berechnet hätte (Glückszahl plus Nummer der Ziehung im "
        "Archiv), und mit der Ziehung verglichen. Daneben steht, was Zufallstipps im Mittel treffen."));
    intro->setWordWrap(true);
    layout->addWidget(intro);

    m_period = new QLabel;
    m_period->setObjectName(QStringLiteral("StrategyTestPeriod"));
    m_period->setWordWrap(true);
    layout->addWidget(m_period);
    auto* controls = new QGridLayout;
    controls->addWidget(new QLabel(QStringLiteral("Bis:")), 1, 0);
    m_to = new QDateEdit;
    m_to->setObjectName(QStringLiteral("StrategyTestTo"));
    m_to->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    m_to->setCalendarPopup(true);
    m_to->setToolTip(QStringLiteral("Die letzte Ziehung, die getestet wird"));
    controls->addWidget(m_to, 1, 1);
    controls->addWidget(new QLabel(QStringLiteral("Glückszahl:")), 1, 2);
    m_seed = new QSpinBox;
    m_seed->setObjectName(QStringLiteral("StrategyTestSeed"));
    m_seed->setRange(0, 99999999);
    m_seed->setToolTip(
        QStringLiteral("Die Ziehung an Stelle P des Archivs bekommt die Tipps, die „Tipps berechnen“ "
                       "mit der Glückszahl plus P berechnet"));
    controls->addWidget(m_seed, 1, 3);
    controls->setColumnStretch(4, 1);
    layout->addLayout(controls);

    auto* runRow = new QHBoxLayout;
    m_start = new QPushButton(QStringLiteral("Test starten"));
    m_start->setObjectName(QStringLiteral("StrategyTestStart"));
    m_start->setDefault(true);
    m_stop = new QPushButton(QStringLiteral("Stopp"));
    m_stop->setObjectName(QStringLiteral("StrategyTestStop"));
    m_stop->setToolTip(
        QStringLiteral("Beendet den Test; die Zahlen gelten dann für die Ziehungen bis dahin"));
    m_progress = new QProgressBar;
    m_progress->setObjectName(QStringLiteral("StrategyTestProgress"));
    m_progress->setFormat(QStringLiteral("%v von %m Ziehungen"));
    m_progress->setValue(0);
    runRow->addWidget(m_start);
    runRow->addWidget(m_stop);
    runRow->addWidget(m_progress, 1);
    layout->addLayout(runRow);
    connect(m_start, &QPushButton::clicked, this, &StrategyTestDialog::startTest);
    connect(m_stop, &QPushButton::clicked, this, &StrategyTestDialog::stopTest);

    m_verdict = new QLabel;
    m_verdict->setObjectName(QStringLiteral("StrategyTestVerdict"));
    m_verdict->setWordWrap(true);
    QFont bold = m_verdict->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    m_verdict->setFont(bold);
    layout->addWidget(m_verdict);

    m_summary = new QLabel;
    m_summary->setObjectName(QStringLiteral("StrategyTestSummary"));
    m_summary->setWordWrap(true);
    m_summary->setMinimumHeight(m_summary->fontMetrics().lineSpacing() * 3);
    layout->addWidget(m_summary);

    auto* results = new QHBoxLayout;
    m_table = new QTableWidget(kHitRows + kPrizeRanks, 2);
    m_table->setObjectName(QStringLiteral("StrategyTestTable"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Berechnet"), QStringLiteral("Zufall (erwartet)")});
    QStringList rows;
    for (int row = 0; row < m_table->rowCount(); ++row)
        rows << rowName(row);
    m_table->setVerticalHeaderLabels(rows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setAlternatingRowColors(true);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    m_table->setToolTip(
        QStringLiteral("Wie viele der geprüften Tipps so viele Treffer bzw. diesen Gewinnrang hatten, "
                       "und wie viele Zufallstipps im Mittel (Rang ZZ nur bei Ziehungen, die ihn "
                       "auszahlen)"));
    results->addWidget(m_table);
    m_chartView = new QChartView;
    m_chartView->setObjectName(QStringLiteral("StrategyTestChart"));
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setMinimumSize(360, 260);
    results->addWidget(m_chartView, 1);
    layout->addLayout(results, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    m_saveTable = buttons->addButton(QStringLiteral("Tabelle speichern…"), QDialogButtonBox::ActionRole);
    m_saveTable->setObjectName(QStringLiteral("StrategyTestSaveTable"));
    m_saveChart = buttons->addButton(QStringLiteral("Diagramm speichern…"), QDialogButtonBox::ActionRole);
    m_saveChart->setObjectName(QStringLiteral("StrategyTestSaveChart"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // The save dialog, proposing "Strategie-Test.<ext>" in the program directory.
    const auto chooseFile = [this](const QString& title, const QString& ext, const QString& filter) {
        return QFileDialog::getSaveFileName(
            this, title,
            QString::fromStdString(m_state.programDir()) + QStringLiteral("Strategie-Test.") + ext, filter);
    };
    connect(m_saveTable, &QPushButton::clicked, this, [this, chooseFile] {
        const QString file = chooseFile(QStringLiteral("Tabelle speichern"), QStringLiteral("csv"),
                                        QStringLiteral("CSV-Datei (*.csv)"));
        if (!file.isEmpty()) saveTable(file);
    });
    connect(m_saveChart, &QPushButton::clicked, this, [this, chooseFile] {
        const QString file = chooseFile(QStringLiteral("Diagramm speichern"), QStringLiteral("png"),
                                        QStringLiteral("PNG-Bild (*.png)"));
        if (!file.isEmpty()) saveChart(file);
    });
    layout->addWidget(buttons);
    setRunning(false);
    resize(920, 720);
}

void StrategyTestDialog::showEvent(QShowEvent* event) {
    if (!m_running) {
        showPeriod();
        m_to->setDate(toQDate(m_state.clock().today()));
        // Within the screen (a scaled screen may be smaller than the dialog's size).
        const QRect screen =
            (parentWidget() ? parentWidget()->screen() : this->screen())->availableGeometry();
        resize(std::min(width(), screen.width() - 20), std::min(height(), screen.height() - 20));
    }
    QDialog::showEvent(event);
}

void StrategyTestDialog::reject() {
    if (m_running) { // the test ends at the next progress point; the dialog closes then
        m_stopRequested = true;
        m_closeAfterTest = true;
        return;
    }
    QDialog::reject();
}

void StrategyTestDialog::showPeriod() {
    const ArchiveFilter filter = m_state.archiveFilter();
    QString days = filter.sundays && filter.wednesdays ? QStringLiteral("Sonntags- und Mittwochsziehungen")
                   : filter.sundays                    ? QStringLiteral("nur Sonntagsziehungen")
                   : filter.wednesdays                 ? QStringLiteral("nur Mittwochsziehungen")
                                       : QStringLiteral("keine Ziehungen (kein Wochentag gewählt)");
    m_period->setText(QStringLiteral("Zeitraum: ab %1, %2 (Startdatum und Wochentage der Statistik, Seite "
                                     "„Diagramm“); Einsatz je Tipp %3.")
                          .arg(QString::fromStdString(formatShortDate(filter.startDate)), days,
                               money(m_state.stakeCents())));
}

void StrategyTestDialog::setRunning(bool running) {
    m_running = running;
    m_start->setEnabled(!running);
    m_stop->setEnabled(running);
    m_to->setEnabled(!running);
    m_seed->setEnabled(!running);
    m_saveTable->setEnabled(!running && m_result.has_value());
    m_saveChart->setEnabled(!running && m_result.has_value());
}

void StrategyTestDialog::startTest() {
    if (m_running) return;
    showPeriod();
    m_stopRequested = false;
    m_closeAfterTest = false;
    setRunning(true);
    m_progress->setValue(0);
    m_verdict->setText(QStringLiteral("Der Test läuft …"));
    QElapsedTimer shown;
    shown.start();
    std::optional<WalkForwardResult> result;
    try {
        const ArchiveFilter period = m_state.archiveFilter();
        const DayNumber to = fromQDate(m_to->date());
        const auto onDraw = [&](const TestedDraw&, std::int64_t done, std::int64_t total) {
            // About 30 times a second is enough to see it move and to notice the stop button.
            if (done == 1 || shown.elapsed() >= 30) {
                shown.restart();
                m_progress->setMaximum(static_cast<int>(total));
                m_progress->setValue(static_cast<int>(done));
                QCoreApplication::processEvents();
            }
            return !m_stopRequested;
        };
        result = m_state.StrategieTestClick(period, to, static_cast<std::uint32_t>(m_seed->value()), onDraw);
    } catch (const std::exception& e) {
        m_state.host().showMessage(e.what());
    }
    if (result) {
        m_progress->setValue(static_cast<int>(result->draws));
        m_result = result;
        showResult(*result);
    } else {
        m_verdict->clear();
    }
    setRunning(false);
    if (m_finished) m_finished();
    if (m_closeAfterTest) {
        m_closeAfterTest = false;
        QDialog::reject();
    }
}

void StrategyTestDialog::showResult(const WalkForwardResult& result) {
    const double tips = static_cast<double>(result.tips);
    for (int row = 0; row < m_table->rowCount(); ++row) {
        std::int64_t seen = 0;
        double expected = 0.0;
        if (row < kHitRows) {
            seen = result.hits[static_cast<std::size_t>(row)];
            expected = tips * hitProbability(row);
        } else {
            const auto rank = static_cast<PrizeRank>(row - kHitRows);
            seen = result.ranks[static_cast<std::size_t>(rank)];
            expected = (rank == PrizeRank::Extra ? static_cast<double>(result.extraOnlyTips) : tips) *
                       rankProbability(rank);
        }
        for (int column = 0; column < 2; ++column) {
            auto* item = new QTableWidgetItem(column == 0 ? count(seen) : decimal(expected, 2));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(row, column, item);
        }
    }

    const ChiSquareTest test = chiSquareOfHits(result.hits, result.tips);
    QString verdict = QString::fromStdString(chanceVerdict(test, result.hits, result.tips));
    if (result.stopped) verdict += QStringLiteral(" (Test abgebrochen: nur die Ziehungen bis dahin.)");
    m_verdict->setText(verdict);
    QString summary =
        QStringLiteral("%1 Ziehungen, %2 Tipps geprüft. Gewinn aus gespeicherten Quoten %3, Einsatz %4.")
            .arg(count(result.draws), count(result.tips), money(result.wonCents), money(result.stakeCents));
    if (test.degreesOfFreedom > 0)
        summary +=
            QStringLiteral(" Chi-Quadrat %1 bei %2 Freiheitsgraden (Trefferklassen 0, 1, 2 und mehr; eine "
                           "Klasse mit weniger als 5 erwarteten Tipps mit der davor zusammengefasst).")
                .arg(decimal(test.statistic, 2))
                .arg(test.degreesOfFreedom);
    m_summary->setText(summary);

    auto* computed = new QBarSet(QStringLiteral("Berechnete Tipps"));
    auto* random = new QBarSet(QStringLiteral("Zufallstipps (erwartet)"));
    computed->setColor(QColor(0, 128, 0));
    random->setColor(QColor(160, 160, 160));
    QStringList classes;
    double largest = 1.0;
    for (int k = 0; k < kHitRows; ++k) {
        const double seen = static_cast<double>(result.hits[static_cast<std::size_t>(k)]);
        const double expected = tips * hitProbability(k);
        *computed << seen;
        *random << expected;
        largest = std::max({largest, seen, expected});
        classes << QString::number(k);
    }
    auto* series = new QBarSeries;
    series->append(computed);
    series->append(random);
    auto* chart = new QChart;
    chart->addSeries(series);
    chart->setTitle(QStringLiteral("Tipps je Trefferzahl"));
    auto* xAxis = new QBarCategoryAxis;
    xAxis->append(classes);
    xAxis->setTitleText(QStringLiteral("Treffer"));
    auto* yAxis = new QValueAxis;
    yAxis->setRange(0, largest * 1.05);
    yAxis->applyNiceNumbers();
    yAxis->setLabelFormat(QStringLiteral("%.0f"));
    yAxis->setTitleText(QStringLiteral("Tipps"));
    chart->addAxis(xAxis, Qt::AlignBottom);
    chart->addAxis(yAxis, Qt::AlignLeft);
    series->attachAxis(xAxis);
    series->attachAxis(yAxis);
    chart->legend()->setAlignment(Qt::AlignBottom);
    QChart* old = m_chartView->chart();
    m_chartView->setChart(chart);
    delete old;
}

QString StrategyTestDialog::verdict() const {
    return m_verdict->text();
}

std::string StrategyTestDialog::tableCsv() const {
    std::string csv = "Klasse;Berechnete Tipps;Zufallstipps (erwartet)\n";
    for (int row = 0; row < m_table->rowCount(); ++row) {
        csv += rowName(row).toStdString();
        for (int column = 0; column < 2; ++column) {
            const QTableWidgetItem* item = m_table->item(row, column);
            csv += ";" + (item ? item->text().remove(QLatin1Char('.')).toStdString() : std::string());
        }
        csv += '\n';
    }
    if (m_result) {
        csv += "Ziehungen;" + std::to_string(m_result->draws) + "\nTipps;" + std::to_string(m_result->tips) +
               "\nGewinn (Cent);" + std::to_string(m_result->wonCents) + "\nEinsatz (Cent);" +
               std::to_string(m_result->stakeCents) + "\n";
        csv += "Ergebnis;" + m_verdict->text().toStdString() + "\n";
    }
    return csv;
}

bool StrategyTestDialog::saveTable(const QString& file) {
    try {
        DrawArchive(m_state.archivePath()).refuseAsOutput(file.toStdString());
        writeFileAtomically(file.toStdString(), tableCsv());
        return true;
    } catch (const std::exception& e) {
        m_state.host().showMessage(e.what());
        return false;
    }
}

bool StrategyTestDialog::saveChart(const QString& file) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    m_chartView->grab().save(&buffer, "PNG");
    try {
        DrawArchive(m_state.archivePath()).refuseAsOutput(file.toStdString());
        writeFileAtomically(file.toStdString(),
                            std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
        return true;
    } catch (const std::exception& e) {
        m_state.host().showMessage(e.what());
        return false;
    }
}

} // namespace lotto
