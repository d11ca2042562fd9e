#include "gui/TForm1.h"

#include "bundle/BundledArchive.h"
#include "core/import/ImportSession.h"
#include "core/util/Text.h"
#include "gui/BalanceDialog.h"
#include "gui/ChartView.h"
#include "gui/ClickableLabel.h"
#include "gui/QtDates.h"
#include "gui/StrategyTestDialog.h"
#include "gui/SystemDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace lotto {

namespace {

// "Datenbank aktualisieren" has two buttons and one key.
QKeySequence updateKeys() {
    return QKeySequence(Qt::Key_F5);
}

// A hint that names the key doing the same: "Speichern des Tipps (Strg+S)".
QString hintWithKeys(const QString& hint, const QKeySequence& keys) {
    return hint + QStringLiteral(" (") + keys.toString(QKeySequence::NativeText) + QLatin1Char(')');
}

QFrame* makePanel(const QString& name, QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::StyledPanel);
    return panel;
}

} // namespace

TForm1::TForm1(std::string programDir, SettingsStore& store, Clock& clock, std::unique_ptr<QtHost> host,
               QWidget* parent)
    : QMainWindow(parent), m_host(host ? std::move(host) : std::make_unique<QtHost>()),
      m_state(std::move(programDir), *m_host, clock), m_store(store) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Zerbosts Lotto - Tipp mit den akt. Zahlen direkt von www.lotterien.at"));
    m_host->setParentWidget(this);
    m_host->setRepaintHandler([this](RepaintArea area) { onRepaintPoint(area); });
    m_host->setBeforeMessageHandler([this] { refreshFromState(); });

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    auto addPage = [&](QWidget* page, const QString& name, const QString& title) {
        page->setObjectName(name);
        m_pages->addTab(page, title);
    };
    addPage(buildTipPage(), QStringLiteral("TabSheet1"), QStringLiteral("Lottotipp"));
    addPage(buildLastDrawPage(), QStringLiteral("TabSheet2"), QStringLiteral("Zahlen der letzten Ziehung"));
    addPage(buildOptionsPage(), QStringLiteral("TabSheet6"), QStringLiteral("Berechnungs-Optionen"));
    addPage(buildChartPage(), QStringLiteral("TabSheet5"), QStringLiteral("Diagramm"));
    addPage(buildDatabasePage(), QStringLiteral("TabSheet4"), QStringLiteral("Datenbank"));
    addPage(buildInternetPage(), QStringLiteral("TabSheet3"), QStringLiteral("Internet-Optionen"));
    // The page "Zahlen der letzten Ziehung" stays out of reach: no click, no Ctrl+Tab.
    m_pages->setTabVisible(1, false);
    m_pages->setTabEnabled(1, false);
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int index) {
        if (!m_syncing) m_state.setActivePage(static_cast<Page>(index));
    });
    setCentralWidget(m_pages);
    buildStatusBar();
    setTipGridScale(1.0);
    m_saveTimer = new QTimer(this);
    m_saveTimer->setObjectName(QStringLiteral("SaveTimer"));
    m_saveTimer->setSingleShot(true);
    m_saveTimer->setInterval(kSaveDelayMs);
    connect(m_saveTimer, &QTimer::timeout, this, &TForm1::saveSettings);
    // Every control a setting comes from saves a moment after it changes.
    const auto changed = [this] {
        if (!m_syncing) scheduleSave();
    };
    for (auto* box : findChildren<QCheckBox*>())
        connect(box, &QCheckBox::toggled, this, changed);
    for (auto* spin : findChildren<QAbstractSpinBox*>())
        connect(spin, &QAbstractSpinBox::editingFinished, this, changed);
    for (auto* spin : findChildren<QSpinBox*>())
        connect(spin, &QSpinBox::valueChanged, this, changed);
    for (auto* spin : findChildren<QDoubleSpinBox*>())
        connect(spin, &QDoubleSpinBox::valueChanged, this, changed);
    for (auto* picker : findChildren<QDateEdit*>())
        connect(picker, &QDateEdit::dateChanged, this, changed);
    for (auto* combo : findChildren<QComboBox*>())
        connect(combo, &QComboBox::currentIndexChanged, this, changed);
    for (auto& [edit, field] : m_textEdits)
        connect(edit, &QLineEdit::textChanged, this, changed);

    nameControlsForScreenReaders();
    run([this] { m_state.FormCreate(m_store); });
    restoreWindowGeometry();
    // Missing draws are told in the status bar (F5 fetches them); the setting fetches them at once.
    bool missing = false;
    try {
        missing = m_state.updateOnStart() && m_state.missingDrawDays() > 0;
    } catch (const std::exception&) {
        // without a readable archive there is nothing to bring up to date
    }
    if (missing)
        QTimer::singleShot(0, this, [this] { runImport([this] { m_state.AustrianSourceUpdate(); }); });
}

void TForm1::restoreWindowGeometry() {
    const QRect available = screen()->availableGeometry();
    QSize size(900, 600);
    std::optional<QPoint> position;
    try {
        const auto width = m_store.read(kWindowWidth);
        const auto height = m_store.read(kWindowHeight);
        if (width && height) size = QSize(settingAsInt(*width), settingAsInt(*height));
        const auto left = m_store.read(kWindowLeft);
        const auto top = m_store.read(kWindowTop);
        if (left && top) position = QPoint(settingAsInt(*left), settingAsInt(*top));
        if (const auto page = m_store.read(kWindowPage)) {
            const int index = settingAsInt(*page);
            if (index >= 0 && index < m_pages->count() && m_pages->isTabEnabled(index))
                m_state.setActivePage(static_cast<Page>(index));
        }
    } catch (const SettingTypeError&) {
        // A stored value of another type: the window opens as on a first start.
    }
    resize(size.expandedTo(minimumSizeHint()));
    if (position)
        move(*position);
    else
        move(available.center() - QPoint(width() / 2, height() / 2));
    fitToScreen();
    refreshFromState();
}

void TForm1::fitToScreen() {
    // Never larger than the screen's free area, frame included, and always on it.
    const QRect available = screen()->availableGeometry();
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize size = this->size().boundedTo(available.size() - frame);
    if (size != this->size()) resize(size);
    const QSize outer = size + frame;
    QPoint topLeft = pos();
    topLeft.setX(std::clamp(topLeft.x(), available.left(),
                            std::max(available.left(), available.right() - outer.width() + 1)));
    topLeft.setY(std::clamp(topLeft.y(), available.top(),
                            std::max(available.top(), available.bottom() - outer.height() + 1)));
    if (topLeft != pos()) move(topLeft);
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        fitToScreen(); // the frame is known now
    }
}

void TForm1::saveWindowGeometry() {
    try {
        const QRect frame = normalGeometry().isValid() ? normalGeometry() : geometry();
        m_store.write(kWindowLeft, pos().x());
        m_store.write(kWindowTop, pos().y());
        m_store.write(kWindowWidth, frame.width());
        m_store.write(kWindowHeight, frame.height());
        m_store.write(kWindowPage, static_cast<int>(m_state.activePage()));
    } catch (...) {
        // Like the other settings, a failing save must not hold up closing the window.
    }
}

TForm1::~TForm1() = default;

// ---------------------------------------------------------------- control factories

QLabel* TForm1::makeLabel(const QString& name, const QString& text) {
    auto* label = new QLabel(text);
    label->setObjectName(name);
    return label;
}

QLabel* TForm1::makeLabel(WindowLabel which) {
    QLabel* label = makeLabel(QString::fromLatin1(designerName(which)),
                              QString::fromStdString(m_state.label(which).text));
    m_stateLabels[labelIndex(which)] = label;
    return label;
}

QCheckBox* TForm1::makeCheckBox(int number, const QString& text) {
    auto* box = new QCheckBox(text);
    box->setObjectName(QStringLiteral("CheckBox%1").arg(number));
    m_checkBoxes[static_cast<std::size_t>(number)] = box;
    return box;
}

QCheckBox* TForm1::makeCheckBox(Option option, const QString& text) {
    QCheckBox* box = makeCheckBox(optionInfo(option).number, text);
    connect(box, &QCheckBox::toggled, this, [this, option](bool on) {
        if (!m_syncing) m_state.setOption(option, on ? 1 : 0);
    });
    return box;
}

QCheckBox* TForm1::makeCheckBox(WeekdayBox weekday, const QString& text) {
    QCheckBox* box = makeCheckBox(checkBoxNumber(weekday), text);
    connect(box, &QCheckBox::toggled, this, [this, weekday](bool on) {
        if (!m_syncing) m_state.setWeekdayBox(weekday, on);
    });
    return box;
}

QSpinBox* TForm1::makeUpDown(Option option, int editNumber) {
    const OptionInfo& info = optionInfo(option);
    const int number = info.number;
    auto* spin = new QSpinBox;
    spin->setObjectName(QString::fromStdString(controlName(info)));
    if (auto* edit = spin->findChild<QLineEdit*>())
        edit->setObjectName(QStringLiteral("Edit%1").arg(editNumber));
    spin->setRange(info.min, info.max);
    spin->setValue(m_state.value(option));
    spin->setMinimumWidth(spin->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 30);
    spin->setMaximumWidth(spin->minimumWidth() + 20);
    m_upDowns[static_cast<std::size_t>(number)] = spin;
    connect(spin, &QSpinBox::valueChanged, this, [this, option](int value) {
        if (m_syncing) return;
        m_state.setOption(option, value);
        if (option == Option::MaxRunsThousands || option == Option::TipCount) m_state.UpDown7Changing();
    });
    return spin;
}

QDateEdit* TForm1::makeDatePicker(const QString& name, void (MainState::*setDate)(DayNumber)) {
    auto* picker = new QDateEdit;
    picker->setObjectName(name);
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    picker->setMinimumDate(toQDate(MainState::earliestDate()));
    picker->setMaximumDate(QDate(9999, 12, 31));
    connect(picker, &QDateEdit::dateChanged, this, [this, setDate](const QDate& date) {
        if (!m_syncing) (m_state.*setDate)(fromQDate(date));
    });
    return picker;
}

QLineEdit* TForm1::makeTextEdit(const QString& name, TextField field) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    connect(edit, &QLineEdit::textChanged, this, [this, set = field.set](const QString& text) {
        if (!m_syncing) set(m_state, text.toStdString());
    });
    m_textEdits.emplace_back(edit, std::move(field));
    return edit;
}

QToolButton* TForm1::makeSpeedButton(const QString& name, const QString& text, const QString& hint) {
    auto* button = new QToolButton;
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(hint);
    // A button without a caption is its icon alone, without the room of an empty caption.
    button->setToolButtonStyle(text.isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
    return button;
}

QPushButton* TForm1::makeButton(const QString& name, const QString& text, const QString& hint) {
    auto* button = new QPushButton(text);
    button->setObjectName(name);
    if (!hint.isEmpty()) button->setToolTip(hint);
    return button;
}

// ---------------------------------------------------------------- pages

QWidget* TForm1::buildTipPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(buildDrawPanel(page));
    layout->addWidget(buildActionPanel(page));
    auto* panel2 = makePanel(QStringLiteral("Panel2"), page);
    auto* gridBox = new QVBoxLayout(panel2);
    // The grid keeps its columns together and stands centred in a wider window.
    auto* centred = new QHBoxLayout;
    centred->addStretch();
    centred->addLayout(buildTipGrid());
    centred->addStretch();
    gridBox->addLayout(centred);
    gridBox->addLayout(buildTipTools(page));
    layout->addWidget(panel2);
    // What a player wants at a glance below the tips: the next draw and the shown draw's wins.
    auto* glance = new QGroupBox(QStringLiteral("Auf einen Blick"));
    glance->setObjectName(QStringLiteral("GlanceBox"));
    auto* glanceBox = new QVBoxLayout(glance);
    m_nextDrawLabel = new QLabel;
    m_nextDrawLabel->setObjectName(QStringLiteral("NextDrawLabel"));
    m_winningsLabel = new QLabel;
    m_winningsLabel->setObjectName(QStringLiteral("WinningsLabel"));
    m_winningsLabel->setWordWrap(true);
    m_winningsLabel->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    glanceBox->addWidget(m_nextDrawLabel);
    glanceBox->addWidget(m_winningsLabel);
    layout->addWidget(glance);
    layout->addStretch();
    m_tipPage = page;
    page->installEventFilter(this); // resizes scale the grid
    return page;
}

// Panel4: the shown draw with the stepping arrows.
QWidget* TForm1::buildDrawPanel(QWidget* page) {
    auto* panel4 = makePanel(QStringLiteral("Panel4"), page);
    auto* top = new QHBoxLayout(panel4);
    auto* back = makeSpeedButton(QStringLiteral("SpeedButton6"), {}, QStringLiteral("Eine Ziehung zurück"));
    back->setArrowType(Qt::LeftArrow);
    auto* forward = makeSpeedButton(QStringLiteral("SpeedButton7"), {}, QStringLiteral("Eine Ziehung vor"));
    forward->setArrowType(Qt::RightArrow);
    addShortcut(back, QKeySequence(Qt::ALT | Qt::Key_Left));
    addShortcut(forward, QKeySequence(Qt::ALT | Qt::Key_Right));
    auto* label35 = makeLabel(WindowLabel::TipPageDraw);
    QFont bold = label35->font();
    bold.setBold(true);
    label35->setFont(bold);
    label35->setAutoFillBackground(true);
    label35->setBackgroundRole(QPalette::ToolTipBase);
    label35->setForegroundRole(QPalette::ToolTipText);
    label35->setMinimumWidth(label35->fontMetrics().horizontalAdvance(
                                 QStringLiteral("Mi 09.10.02    44  44  44  44  44  44 Z:44")) +
                             16);
    label35->setAlignment(Qt::AlignCenter);
    label35->setMargin(3);
    top->addWidget(back);
    top->addWidget(label35);
    top->addWidget(forward);
    top->addSpacing(12);
    top->addWidget(makeLabel(WindowLabel::DigitSum));
    top->addStretch();
    auto* sundays = makeCheckBox(WeekdayBox::Sundays, QStringLiteral("Sonntag Ziehungen"));
    sundays->setToolTip(
        QStringLiteral("Sonntagsziehungen beim Blättern und in den Auswertungen berücksichtigen"));
    auto* wednesdays = makeCheckBox(WeekdayBox::Wednesdays, QStringLiteral("Mittwoch Ziehungen"));
    wednesdays->setToolTip(
        QStringLiteral("Mittwochsziehungen beim Blättern und in den Auswertungen berücksichtigen"));
    top->addWidget(sundays);
    top->addWidget(wednesdays);
    connect(back, &QToolButton::clicked, this, [this] { run([this] { m_state.SpeedButton6Click(); }); });
    connect(forward, &QToolButton::clicked, this, [this] { run([this] { m_state.SpeedButton7Click(); }); });
    return panel4;
}

// Panel3: search, lucky number, generation, number of tips, close.
QWidget* TForm1::buildActionPanel(QWidget* page) {
    auto* panel3 = makePanel(QStringLiteral("Panel3"), page);
    auto* actions = new QHBoxLayout(panel3);
    auto* search =
        makeSpeedButton(QStringLiteral("SpeedButton4"), QStringLiteral("Tipps in DB suchen"),
                        QStringLiteral("Hier können Sie suchen, ob diese Tipps schon einmal gezogen wurden"));
    addShortcut(search, QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(search, &QToolButton::clicked, this, [this] { run([this] { m_state.SpeedButton4Click(); }); });
    auto* lucky = makeSpeedButton(
        QStringLiteral("SpeedButton13"), QStringLiteral("Glückszahl"),
        QStringLiteral("Hier können Sie den Zufall etwas nachhelfen und wirklich Ihren Tipp generieren"));
    auto* compute = makeButton(
        QStringLiteral("BitBtn4"), QStringLiteral("Tipps berechnen"),
        QStringLiteral("Die eingestellte Anzahl von Tipps wird mit den vorgegebenen Parametern berechnet"));
    compute->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    QFont boldButton = compute->font();
    boldButton.setBold(true);
    compute->setFont(boldButton);
    addShortcut(compute, QKeySequence(Qt::Key_F9));
    auto* count = makeUpDown(Option::TipCount, 80);
    count->setToolTip(QStringLiteral("Anzahl der zu berechnenden Tipps"));
    auto* close = makeButton(QStringLiteral("BitBtn5"), QStringLiteral("Schließen"));
    close->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    addShortcut(close, QKeySequence(Qt::CTRL | Qt::Key_Q));
    actions->addWidget(search);
    actions->addWidget(lucky);
    actions->addWidget(compute);
    actions->addWidget(count);
    actions->addStretch();
    actions->addWidget(close);
    connect(lucky, &QToolButton::clicked, this, [this] { run([this] { m_state.SpeedButton13Click(); }); });
    connect(compute, &QPushButton::clicked, this, [this] { run([this] { m_state.Label28Click(); }); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    return panel3;
}

// The twelve tips in two columns: caption, six cells, hit label and digit-sum label.
QGridLayout* TForm1::buildTipGrid() {
    auto* grid = new QGridLayout;
    m_tipGrid = grid;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(6);
    for (int half = 0; half < 2; ++half) {
        auto* hitsHeading = new QLabel(QStringLiteral("Treffer"));
        auto* sumHeading = new QLabel(QStringLiteral("QS"));
        sumHeading->setToolTip(QStringLiteral("Quersumme"));
        for (QLabel* heading : {hitsHeading, sumHeading})
            heading->setEnabled(false);
        grid->addWidget(hitsHeading, 0, half * 10 + 7);
        grid->addWidget(sumHeading, 0, half * 10 + 8);
    }
    QFont cellFont = font();
    cellFont.setPointSizeF(cellFont.pointSizeF() + 1.5);
    for (int tip = 0; tip < tipgrid::kTips; ++tip) {
        const int row = tip % 6 + 1;
        const int col = (tip / 6) * 10;
        auto* caption = new ClickableLabel(QStringLiteral("%1. Tipp").arg(tip + 1));
        caption->setObjectName(QString::fromLatin1(tipgrid::captionLabel(tip)));
        if (tip == 0) {
            caption->setCursor(Qt::PointingHandCursor);
            caption->setToolTip(QStringLiteral(
                "Die eingestellte Anzahl von Tipps wird mit den vorgegebenen Parametern berechnet"));
            connect(caption, &ClickableLabel::clicked, this,
                    [this] { run([this] { m_state.Label28Click(); }); });
        }
        grid->addWidget(caption, row, col);
        for (int c = 0; c < tipgrid::kCellsPerTip; ++c) {
            const int index = tip * tipgrid::kCellsPerTip + c;
            auto* edit = new QLineEdit;
            edit->setObjectName(QString::fromStdString(tipgrid::editName(index)));
            edit->setFont(cellFont);
            edit->setAlignment(Qt::AlignCenter);
            edit->installEventFilter(this);
            m_cells[static_cast<std::size_t>(index)] = edit;
            connect(edit, &QLineEdit::textChanged, this, [this, index, edit](const QString& text) {
                if (m_syncing) return;
                const QString result = QString::fromStdString(m_state.Edit1Change(index, text.toStdString()));
                // A number outside 1..45 stays as typed until the cell is left, where it is
                // marked; the state holds the cell empty meanwhile.
                if (result != text && !result.isEmpty()) edit->setText(result);
                if (m_invalidCells.erase(index)) markInvalidCell(index, false);
                showRepeatedCells();
                scheduleSave();
            });
            grid->addWidget(edit, row, col + 1 + c);
        }
        auto* hits = makeLabel(hitLabel(tip));
        hits->setAlignment(Qt::AlignCenter);
        if (palette().color(QPalette::Window).lightness() < 128) {
            hits->setAutoFillBackground(true);
            QPalette light = hits->palette();
            light.setColor(QPalette::Window, QColor(0xf4, 0xf4, 0xf4));
            hits->setPalette(light);
        }
        m_hitLabels.insert(hits);
        auto* sum = makeLabel(tipSumLabel(tip));
        sum->setToolTip(QStringLiteral("Quersumme"));
        grid->addWidget(hits, row, col + 7);
        grid->addWidget(sum, row, col + 8);
        if (tip < 6) {
            // Hits in the Saturday draw of the page "Zahlen der letzten Ziehung"; empty until loaded.
            auto* saturday = makeLabel(saturdayHitLabel(tip));
            saturday->setToolTip(QStringLiteral("Treffer in der Samstagsziehung"));
            grid->addWidget(saturday, row, col + 9);
        }
    }
    grid->setColumnMinimumWidth(9, 24);
    return grid;
}

// The tools below the tips and the two banners.
QHBoxLayout* TForm1::buildTipTools(QWidget* page) {
    auto* tools = new QHBoxLayout;
    auto* update =
        makeSpeedButton(QStringLiteral("SpeedButton10"), {}, QStringLiteral("Datenbank aktualisieren"));
    update->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    addShortcut(update, updateKeys());
    m_importButtons.push_back(update);
    connect(update, &QToolButton::clicked, this,
            [this] { runImport([this] { m_state.AustrianSourceUpdate(); }); });
    auto* clear = makeSpeedButton(QStringLiteral("SpeedButton11"), {}, QStringLiteral("Löschen aller Tipps"));
    clear->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    auto* ticket =
        makeSpeedButton(QStringLiteral("SpeedButton12"), QStringLiteral("Schein"),
                        QStringLiteral("Wenn Sie schon einen Lottoschein haben, können Sie hier den "
                                       "Tipp direkt in den Schein drucken"));
    addShortcut(ticket, QKeySequence(Qt::CTRL | Qt::Key_P));
    auto* save = makeSpeedButton(QStringLiteral("SpeedButton15"), {}, QStringLiteral("Speichern des Tipps"));
    save->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    addShortcut(save, QKeySequence(Qt::CTRL | Qt::Key_S));
    auto* load = makeSpeedButton(QStringLiteral("SpeedButton16"), {}, QStringLiteral("Laden des Tipps"));
    load->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    addShortcut(load, QKeySequence(Qt::CTRL | Qt::Key_O));
    auto* sheet =
        makeButton(QStringLiteral("BitBtn7"), QStringLiteral("Tipp"),
                   QStringLiteral("Der Tipp wird als Text gespeichert und angezeigt. Er kann natürlich auch "
                                  "gedruckt und zur Annahmestelle gebracht werden."));
    addShortcut(sheet, QKeySequence(Qt::CTRL | Qt::Key_T));
    connect(sheet, &QPushButton::clicked, this, [this] { run([this] { m_state.BitBtn7Click(); }); });
    auto* distribution = makeButton(QStringLiteral("Button6"), QStringLiteral("Tippverteilung"),
                                    QStringLiteral("Wie oft kommen die Zahlen in den Tipps vor"));
    addShortcut(distribution, QKeySequence(Qt::Key_F8));
    for (QWidget* w : std::initializer_list<QWidget*>{update, clear, ticket, save, load, sheet, distribution})
        tools->addWidget(w);
    tools->addStretch();
    connect(clear, &QToolButton::clicked, this, [this] { run([this] { m_state.SpeedButton11Click(); }); });
    connect(ticket, &QToolButton::clicked, this, [this] { run([this] { m_state.SpeedButton12Click(); }); });
    connect(save, &QToolButton::clicked, this, [this] { run([this] { m_state.SpeedButton15Click(); }); });
    connect(load, &QToolButton::clicked, this, [this] { run([this] { m_state.SpeedButton16Click(); }); });
    connect(distribution, &QPushButton::clicked, this, [this] { run([this] { m_state.Button6Click(); }); });
    auto* system =
        makeButton(QStringLiteral("SystemButton"), QStringLiteral("System…"),
                   QStringLiteral("Systemschein: Bank- und Wahlzahlen, alle Tipps, Kosten und Gewinne"));
    addShortcut(system, QKeySequence(Qt::CTRL | Qt::Key_M));
    tools->insertWidget(tools->count() - 1, system); // before the stretch
    connect(system, &QPushButton::clicked, this, &TForm1::showSystemDialog);

    // Both banners, panel and label alike, open the maker's page.
    auto makeBanner = [&](const QString& panelName, const QString& labelName, const QString& text) {
        auto* panel = makePanel(panelName, page);
        auto* box = new QHBoxLayout(panel);
        box->setContentsMargins(6, 2, 6, 2);
        auto* label = new ClickableLabel(text);
        label->setObjectName(labelName);
        label->setCursor(Qt::PointingHandCursor);
        label->setToolTip(QStringLiteral("Tendora – Ihre Gewinne gut angelegt"));
        QFont f = label->font();
        f.setBold(true);
        label->setFont(f);
        box->addWidget(label);
        connect(label, &ClickableLabel::clicked, this, [this] { run([this] { m_state.Label43Click(); }); });
        panel->setCursor(Qt::PointingHandCursor);
        panel->installEventFilter(this);
        return panel;
    };
    tools->addWidget(
        makeBanner(QStringLiteral("Panel5"), QStringLiteral("Label43"), QStringLiteral("Tendora")));
    tools->addWidget(makeBanner(QStringLiteral("Panel6"), QStringLiteral("Label44"),
                                QStringLiteral("Z e r b o s t 's  L o t t o  V 1 . 5")));
    return tools;
}

QWidget* TForm1::buildLastDrawPage() {
    auto* page = new QWidget;
    auto* layout = new QGridLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("Mittwochsziehung:")), 0, 0);
    layout->addWidget(makeLabel(WindowLabel::WednesdayDate), 0, 1);
    layout->addWidget(makeLabel(WindowLabel::WednesdayNumbers), 0, 2);
    layout->addWidget(makeLabel(WindowLabel::WednesdayExtra), 0, 3);
    layout->addWidget(makeLabel(WindowLabel::WednesdaySuper), 0, 4);
    layout->addWidget(new QLabel(QStringLiteral("Samstagziehung:")), 1, 0);
    layout->addWidget(makeLabel(WindowLabel::SaturdayDate), 1, 1);
    layout->addWidget(makeLabel(WindowLabel::SaturdayNumbers), 1, 2);
    layout->addWidget(makeLabel(WindowLabel::SaturdayExtra), 1, 3);
    layout->addWidget(makeLabel(WindowLabel::SaturdaySuper), 1, 4);
    auto* load = makeButton(QStringLiteral("Button1"), QStringLiteral("Lottozahlen aus dem Internet laden"));
    connect(load, &QPushButton::clicked, this, [this] { run([this] { m_state.Button1Click(); }); });
    layout->addWidget(load, 2, 0, 1, 2);
    layout->setRowStretch(3, 1);
    return page;
}

QWidget* TForm1::buildOptionsPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto row = [&](std::initializer_list<QWidget*> widgets) {
        auto* line = new QHBoxLayout;
        for (QWidget* w : widgets)
            line->addWidget(w);
        line->addStretch();
        layout->addLayout(line);
    };
    row({makeLabel(QStringLiteral("Label42"), QStringLiteral("Quersumme von")),
         makeUpDown(Option::DigitSumFrom, 37), new QLabel(QStringLiteral("bis")),
         makeUpDown(Option::DigitSumTo, 38), new QLabel(QStringLiteral("im Tipp zulassen"))});
    row({makeCheckBox(Option::PreferOftenDrawn,
                      QStringLiteral("Zahlen, die besonders oft gezogen wurden, bevorzugen"))});
    row({makeCheckBox(
        Option::PreferOverdue,
        QStringLiteral("Zahlen, die am längsten überfällig (also nicht gezogen) sind, bevorzugen"))});
    row({makeCheckBox(Option::PreferRarelyDrawn,
                      QStringLiteral("Zahlen, die besonders selten gezogen wurden, bevorzugen"))});
    row({makeCheckBox(Option::LimitCommonWithTips, QStringLiteral("maximal")),
         makeUpDown(Option::MaxCommonWithTips, 39),
         new QLabel(QStringLiteral("Übereinstimmungen mit anderen Tipps"))});
    row({makeCheckBox(Option::LimitLastDraw, QStringLiteral("maximal")),
         makeUpDown(Option::MaxFromLastDraw, 40),
         new QLabel(QStringLiteral("Zahlen der letzten Ziehung zulassen"))});
    row({makeCheckBox(Option::LimitSecondLastDraw, QStringLiteral("maximal")),
         makeUpDown(Option::MaxFromSecondLastDraw, 41),
         new QLabel(QStringLiteral("Zahlen der vorletzten Ziehung zulassen"))});

    auto* pairs = new QGridLayout;
    pairs->addWidget(makeCheckBox(Option::ForcePair, QStringLiteral("eine Paarbildung pro Tipp erzwingen")),
                     0, 0);
    pairs->addWidget(makeCheckBox(Option::NoRunOfThree, QStringLiteral("keine Dreier-, Vierer-… Reihen")), 0,
                     1);
    pairs->addWidget(makeCheckBox(Option::PreferFrequentPairs,
                                  QStringLiteral("Zahlen mit einer häufigen Paarbildung bevorzugen")),
                     1, 0);
    pairs->addWidget(makeCheckBox(Option::PreferRarestPairs, QStringLiteral("seltensten")), 1, 1);
    pairs->addWidget(
        makeCheckBox(Option::PreferFrequentTriples,
                     QStringLiteral("Zahlen mit einer häufigen Dreiergruppenbildung bevorzugen")),
        2, 0);
    pairs->addWidget(makeCheckBox(Option::PreferRarestTriples, QStringLiteral("seltensten")), 2, 1);
    pairs->addWidget(
        makeCheckBox(Option::PreferFrequentQuadruples,
                     QStringLiteral("Zahlen mit einer häufigen Vierergruppenbildung bevorzugen")),
        3, 0);
    pairs->addWidget(makeCheckBox(Option::PreferRarestQuadruples, QStringLiteral("seltensten")), 3, 1);
    pairs->setColumnStretch(2, 1);
    layout->addLayout(pairs);

    row({makeCheckBox(Option::ArchiveRule, QStringLiteral("Tipp darf keinem")),
         makeUpDown(Option::ArchiveMatch, 42),
         new QLabel(QStringLiteral("er aus der Datenbank entsprechen"))});
    row({makeCheckBox(Option::OnlyPreferred,
                      QStringLiteral("für den Tipp nur bevorzugte Zahlen verwenden!"))});

    // The prices of a tip and of a Joker game: the ticket's cost and the Gewinnbilanz use them.
    const auto priceSpin = [this](const QString& name, std::int64_t cents, const QString& hint,
                                  const std::function<void(std::int64_t)>& store) {
        auto* spin = new QDoubleSpinBox;
        spin->setObjectName(name);
        spin->setLocale(QLocale(QLocale::German));
        spin->setRange(0.0, static_cast<double>(MainState::kMaxStakeCents) / 100.0);
        spin->setDecimals(2);
        spin->setSingleStep(0.1);
        spin->setSuffix(QStringLiteral(" €"));
        spin->setValue(static_cast<double>(cents) / 100.0);
        spin->setToolTip(hint);
        connect(spin, &QDoubleSpinBox::valueChanged, this, [this, store](double euros) {
            if (!m_syncing) store(std::llround(euros * 100.0));
        });
        return spin;
    };
    m_stakeSpin = priceSpin(QStringLiteral("EinsatzEdit"), m_state.stakeCents(),
                            QStringLiteral("Preis eines Tipps je Ziehung: für die Kosten des Scheins und die "
                                           "Gewinnbilanz (Seite „Datenbank“)"),
                            [this](std::int64_t cents) { m_state.setStakeCents(cents); });
    auto* stakeLabel = makeLabel(QStringLiteral("EinsatzLabel"), QStringLiteral("Preis je &Tipp"));
    stakeLabel->setBuddy(m_stakeSpin);
    m_jokerSpin = priceSpin(QStringLiteral("JokerEdit"), m_state.jokerCents(),
                            QStringLiteral("Preis eines Joker-Spiels je Ziehung: für die Kosten des Scheins"),
                            [this](std::int64_t cents) { m_state.setJokerCents(cents); });
    auto* jokerLabel = makeLabel(QStringLiteral("JokerLabel"), QStringLiteral("Preis je &Joker"));
    jokerLabel->setBuddy(m_jokerSpin);
    row({stakeLabel, m_stakeSpin, jokerLabel, m_jokerSpin});
    layout->addStretch();
    return page;
}

QWidget* TForm1::buildChartPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* toolBar = new QToolBar;
    toolBar->setObjectName(QStringLiteral("ChartToolBar1"));
    toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_chart = new ChartView;
    m_chart->addTools(toolBar);
    auto* spacer = new QWidget;
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    toolBar->addWidget(spacer);
    auto* frequency = makeSpeedButton(QStringLiteral("SpeedButton2"), QStringLiteral("Zahlen"),
                                      QStringLiteral("Wie oft wurden die einzelnen Zahlen gezogen"));
    auto* sums = makeSpeedButton(QStringLiteral("SpeedButton9"), QStringLiteral("QS"),
                                 QStringLiteral("Verteilung der Quersummen der Ziehungen"));
    addShortcut(frequency, QKeySequence(Qt::Key_F6), true);
    addShortcut(sums, QKeySequence(Qt::Key_F7), true);
    toolBar->addWidget(frequency);
    toolBar->addWidget(sums);
    toolBar->addWidget(new QLabel(QStringLiteral(" ab ")));
    m_picker2 = makeDatePicker(QStringLiteral("DateTimePicker2"), &MainState::setStatisticsStart);
    m_picker2->setToolTip(QStringLiteral("Ziehungen ab diesem Datum auswerten"));
    toolBar->addWidget(m_picker2);
    connect(frequency, &QToolButton::clicked, this, [this] { run([this] { m_state.SpeedButton2Click(); }); });
    connect(sums, &QToolButton::clicked, this, [this] { run([this] { m_state.SpeedButton9Click(); }); });
    layout->addWidget(toolBar);
    layout->addWidget(m_chart, 1);
    return page;
}

QWidget* TForm1::buildDatabasePage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    auto* drawRow = new QHBoxLayout;
    m_picker1 = makeDatePicker(QStringLiteral("DateTimePicker1"), &MainState::setDrawDate);
    m_picker1->setToolTip(
        QStringLiteral("Datum der zu bewertenden Ziehung, Beginn von Neuanlage und Export"));
    auto* evaluate =
        makeSpeedButton(QStringLiteral("SpeedButton5"), QStringLiteral("Bewertung"),
                        QStringLiteral("Bewertung des Tipps für die Ziehung des gewählten Datums"));
    evaluate->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    addShortcut(evaluate, QKeySequence(Qt::CTRL | Qt::Key_B));
    auto* label29 = makeLabel(WindowLabel::DrawCaption);
    QFont bold = label29->font();
    bold.setBold(true);
    label29->setFont(bold);
    drawRow->addWidget(m_picker1);
    drawRow->addWidget(evaluate);
    drawRow->addWidget(label29);
    drawRow->addStretch();
    m_stopButton = makeSpeedButton(QStringLiteral("SpeedButton8"), QStringLiteral("Stopp"),
                                   QStringLiteral("Stoppt das Einlesen"));
    m_stopButton->setIcon(style()->standardIcon(QStyle::SP_BrowserStop));
    addShortcut(m_stopButton, QKeySequence(Qt::Key_Escape));
    m_stopButton->setVisible(false);
    drawRow->addWidget(m_stopButton);
    connect(evaluate, &QToolButton::clicked, this, [this] { run([this] { m_state.SpeedButton5Click(); }); });
    connect(m_stopButton, &QToolButton::clicked, this,
            [this] { run([this] { m_state.SpeedButton8Click(); }); });
    layout->addLayout(drawRow);

    auto* archiveBox = new QGroupBox(QStringLiteral("Datenbank"));
    auto* archive = new QGridLayout(archiveBox);
    auto* update =
        makeButton(QStringLiteral("BitBtn1"), QStringLiteral("Datenbank aktualisieren"),
                   hintWithKeys(QStringLiteral("Lädt die neuen Ziehungen aus dem Internet"), updateKeys()));
    auto* rebuild = makeButton(
        QStringLiteral("BitBtn2"), QStringLiteral("Datenbank neu anlegen"),
        QStringLiteral("Beim neu anlegen der Datenbank, wird mit dem Einlesen bei dem Eingestellten "
                       "Datum begonnen. Ein Datum bis 1955 ist möglich."));
    auto* exportText =
        makeButton(QStringLiteral("BitBtn3"), QStringLiteral("Export nach Text"),
                   QStringLiteral("Schreibt die Ziehungen ab dem gewählten Datum in eine Textdatei"));
    addShortcut(exportText, QKeySequence(Qt::CTRL | Qt::Key_E));
    auto* remove = makeButton(QStringLiteral("BitBtn6"), QStringLiteral("Löschen"),
                              QStringLiteral("Die angezeigte Ziehung aus der Datenbank löschen"));
    auto* enter = makeButton(QStringLiteral("BitBtn8"), QStringLiteral("Eingeben"),
                             QStringLiteral("Eine Ziehung von Hand eingeben"));
    m_importButtons.push_back(update);
    connect(update, &QPushButton::clicked, this,
            [this] { runImport([this] { m_state.AustrianSourceUpdate(); }); });
    connect(rebuild, &QPushButton::clicked, this,
            [this] { runImport([this] { m_state.BitBtn2Click(); }, true); });
    connect(exportText, &QPushButton::clicked, this, [this] { run([this] { m_state.BitBtn3Click(); }); });
    connect(remove, &QPushButton::clicked, this, [this] { run([this] { m_state.BitBtn4Click(); }); });
    connect(enter, &QPushButton::clicked, this, [this] { run([this] { m_state.BitBtn8Click(); }); });
    archive->addWidget(update, 0, 0);
    archive->addWidget(rebuild, 0, 1);
    archive->addWidget(exportText, 0, 2);
    archive->addWidget(remove, 1, 0);
    archive->addWidget(enter, 1, 1);
    auto* bundled =
        makeButton(QStringLiteral("BundledArchiveButton"), QStringLiteral("Mitgeliefertes Archiv einspielen"),
                   QStringLiteral("Schreibt die mit dem Programm gelieferten Ziehungen als Archiv"));
    archive->addWidget(bundled, 1, 2);
    auto* importFile =
        makeButton(QStringLiteral("ImportFileBitBtn"), QStringLiteral("Datei importieren…"),
                   QStringLiteral("Liest die Ziehungen einer heruntergeladenen Ergebnisdatei ein"));
    addShortcut(importFile, QKeySequence(Qt::CTRL | Qt::Key_I));
    archive->addWidget(importFile, 2, 0);
    auto* restoreBackup =
        makeButton(QStringLiteral("RestoreBackupButton"), QStringLiteral("Sicherung wiederherstellen…"),
                   QStringLiteral("Holt eine der Kopien zurück, die vor jeder Änderung des Archivs "
                                  "gesichert werden"));
    archive->addWidget(restoreBackup, 2, 1);
    connect(restoreBackup, &QPushButton::clicked, this,
            [this] { run([this] { m_state.RestoreBackupClick(); }); });
    connect(importFile, &QPushButton::clicked, this,
            [this] { runImport([this] { m_state.ImportFileBitBtnClick(); }, true); });
    connect(bundled, &QPushButton::clicked, this,
            [this] { run([this] { m_state.installBundledArchive(bundledArchive()); }); });
    layout->addWidget(archiveBox);

    auto* groupsBox = new QGroupBox(QStringLiteral("Auswertungen"));
    auto* groups = new QHBoxLayout(groupsBox);
    auto* pairs = makeButton(QStringLiteral("Button2"), QStringLiteral("Paare suchen"),
                             QStringLiteral("Wie oft zwei benachbarte Zahlen zusammen gezogen wurden"));
    auto* triples = makeButton(QStringLiteral("Button3"), QStringLiteral("Dreier suchen"),
                               QStringLiteral("Wie oft drei benachbarte Zahlen zusammen gezogen wurden"));
    auto* quadruples = makeButton(QStringLiteral("Button4"), QStringLiteral("Vierer suchen"),
                                  QStringLiteral("Wie oft vier benachbarte Zahlen zusammen gezogen wurden"));
    auto* overdue = makeButton(QStringLiteral("Button5"), QStringLiteral("Ausstehende"),
                               QStringLiteral("Seit wie vielen Ziehungen jede Zahl nicht gezogen wurde"));
    addShortcut(pairs, QKeySequence(Qt::CTRL | Qt::Key_2));
    addShortcut(triples, QKeySequence(Qt::CTRL | Qt::Key_3));
    addShortcut(quadruples, QKeySequence(Qt::CTRL | Qt::Key_4));
    addShortcut(overdue, QKeySequence(Qt::CTRL | Qt::Key_5));
    auto* balance = makeButton(QStringLiteral("GewinnbilanzButton"), QStringLiteral("Gewinnbilanz"),
                               QStringLiteral("Was hätten die Tipps 1 bis 12 seit dem Datum auf der Seite "
                                              "„Diagramm“ gewonnen, was gekostet?"));
    addShortcut(balance, QKeySequence(Qt::CTRL | Qt::Key_G));
    for (QPushButton* b : {pairs, triples, quadruples, overdue, balance})
        groups->addWidget(b);
    connect(balance, &QPushButton::clicked, this, [this] { showPrizeBalance(); });
    connect(pairs, &QPushButton::clicked, this, [this] { run([this] { m_state.Button2Click(); }); });
    connect(triples, &QPushButton::clicked, this, [this] { run([this] { m_state.Button3Click(); }); });
    connect(quadruples, &QPushButton::clicked, this, [this] { run([this] { m_state.Button4Click(); }); });
    connect(overdue, &QPushButton::clicked, this, [this] { run([this] { m_state.Button5Click(); }); });
    auto* strategyTest =
        makeButton(QStringLiteral("StrategieTestButton"), QStringLiteral("Strategie-Test…"),
                   QStringLiteral("Hätten die berechneten Tipps bei den vergangenen Ziehungen "
                                  "öfter getroffen als Zufallstipps?"));
    groups->addWidget(strategyTest);
    connect(strategyTest, &QPushButton::clicked, this, [this] { strategyTestDialog()->show(); });
    groups->addStretch();
    layout->addWidget(groupsBox);

    auto* runsRow = new QHBoxLayout;
    runsRow->addWidget(makeLabel(QStringLiteral("Label57"), QStringLiteral("Max. Berechnungsläufe")));
    runsRow->addWidget(makeUpDown(Option::MaxRunsThousands, 55));
    m_upDowns[static_cast<std::size_t>(optionInfo(Option::MaxRunsThousands).number)]->setToolTip(
        QStringLiteral("So viele tausend Versuche darf eine Tippberechnung höchstens machen"));
    runsRow->addWidget(makeLabel(QStringLiteral("Label58"), QStringLiteral("Tausend")));
    runsRow->addStretch();
    layout->addLayout(runsRow);

    auto* stateBox = new QGroupBox(QStringLiteral("Stand des Archivs"));
    stateBox->setObjectName(QStringLiteral("ArchiveStateBox"));
    auto* stateLayout = new QVBoxLayout(stateBox);
    m_archiveStateLabel = new QLabel;
    m_archiveStateLabel->setObjectName(QStringLiteral("ArchiveStateLabel"));
    m_archiveStateLabel->setWordWrap(true);
    m_archiveStateLabel->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    stateLayout->addWidget(m_archiveStateLabel);
    layout->addWidget(stateBox);
    layout->addStretch();
    return page;
}

QWidget* TForm1::buildInternetPage() {
    auto* page = new QWidget;
    auto* layout = new QGridLayout(page);
    layout->addWidget(makeLabel(QStringLiteral("Label10"), QStringLiteral("Proxy-Server")), 0, 0);
    layout->addWidget(makeTextEdit(QStringLiteral("ProxyHostEdit"),
                                   {&MainState::proxyHostEdit, &MainState::setProxyHostEdit}),
                      0, 1);
    m_textEdits.back().first->setToolTip(
        QStringLiteral("Leer lassen, wenn Sie ohne Proxy ins Internet gehen"));
    layout->addWidget(makeLabel(QStringLiteral("Label11"), QStringLiteral("Proxy-Port")), 1, 0);
    auto* port = makeTextEdit(QStringLiteral("ProxyPortEdit"),
                              {&MainState::proxyPortEdit, &MainState::setProxyPortEdit});
    port->setMaximumWidth(port->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 16);
    layout->addWidget(port, 1, 1);
    layout->addWidget(makeLabel(QStringLiteral("Label12"), QStringLiteral("Temp-Datei für Internetabruf")), 2,
                      0);
    layout->addWidget(
        makeTextEdit(QStringLiteral("FileNameEdit"), {&MainState::fileNameEdit, &MainState::setFileNameEdit}),
        2, 1);
    const auto serverField = [](ImportSource source) {
        return TextField{[source](const MainState& s) -> const std::string& { return s.server(source); },
                         [source](MainState& s, std::string url) { s.setServer(source, std::move(url)); }};
    };
    layout->addWidget(makeLabel(QStringLiteral("ServerLabel"), QStringLiteral("Server der Ziehungsarchive")),
                      3, 0);
    // The original yearly files' server: typed, or one of the two known ones chosen.
    auto* servers = new QComboBox;
    servers->setObjectName(QStringLiteral("ServerComboBox"));
    servers->setEditable(true);
    servers->setInsertPolicy(QComboBox::NoInsert);
    {
        const bool syncing = std::exchange(m_syncing, true); // the items must not replace the stored server
        const ImportSourceInfo& yearly = importSourceInfo(ImportSource::Austria);
        servers->addItems(
            {QString::fromLatin1(yearly.defaultServer), QString::fromLatin1(yearly.earlierServer)});
        servers->setLineEdit(makeTextEdit(QStringLiteral("ServerEdit"), serverField(ImportSource::Austria)));
        servers->lineEdit()->setText(QString::fromStdString(m_state.server(ImportSource::Austria)));
        m_syncing = syncing;
    }
    servers->setToolTip(QStringLiteral("Server der ursprünglichen Jahresdateien „/download/lo_JJJJ.csv“ "
                                       "(bis 2017 unter https://www.win2day.at)"));
    layout->addWidget(servers, 3, 1);
    auto* url = makeTextEdit(QStringLiteral("URLEdit"), {&MainState::urlEdit, &MainState::setUrlEdit});
    url->setVisible(false);
    url->setEnabled(false);
    layout->addWidget(url, 14, 1);
    layout->addWidget(makeLabel(QStringLiteral("AustriaSourceLabel"), QStringLiteral("Quelle der Ziehungen")),
                      4, 0);
    auto* source = new QComboBox;
    source->setObjectName(QStringLiteral("AustriaSourceComboBox"));
    source->setToolTip(QStringLiteral("Woher „Datenbank aktualisieren“ die Ziehungen liest"));
    // The sources that can be chosen, the default one first.
    const auto addSource = [source](const ImportSourceInfo& info) {
        source->addItem(QString::fromUtf8(info.title), static_cast<int>(info.source));
    };
    addSource(importSourceInfo(kDefaultAustrianSource));
    for (const ImportSourceInfo& info : importSources())
        if (info.choosable && info.source != kDefaultAustrianSource) addSource(info);
    source->setCurrentIndex(source->findData(static_cast<int>(m_state.austrianSource())));
    connect(source, &QComboBox::currentIndexChanged, this, [this, source](int) {
        if (!m_syncing) m_state.setAustrianSource(static_cast<ImportSource>(source->currentData().toInt()));
    });
    layout->addWidget(source, 4, 1);
    m_updateOnStartBox = new QCheckBox(QStringLiteral("Beim Start aktualisieren"));
    m_updateOnStartBox->setObjectName(QStringLiteral("UpdateOnStartBox"));
    m_updateOnStartBox->setToolTip(
        QStringLiteral("Fehlen beim Start Ziehungen im Archiv, werden sie gleich aus dem Internet geladen"));
    connect(m_updateOnStartBox, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_syncing) m_state.setUpdateOnStart(on);
    });
    layout->addWidget(m_updateOnStartBox, 4, 2);
    layout->addWidget(
        makeLabel(QStringLiteral("AustriaTodayServerLabel"), QStringLiteral("Server der Ergebnisdateien")), 5,
        0);
    layout->addWidget(
        makeTextEdit(QStringLiteral("AustriaTodayServerEdit"), serverField(ImportSource::AustriaToday)), 5,
        1);
    layout->addWidget(
        makeLabel(QStringLiteral("AustriaTodayFilesLabel"), QStringLiteral("Dateien (Jahre=Pfad)")), 6, 0);
    layout->addWidget(makeTextEdit(QStringLiteral("AustriaTodayFilesEdit"),
                                   {&MainState::todayFilesEdit, &MainState::setTodayFilesEdit}),
                      6, 1);
    m_textEdits.back().first->setToolTip(QStringLiteral(
        "Welche Datei welche Jahre enthält, z. B. „1986-2010=/pfad.csv;2018-=/pfad_{JJJJ}.csv“ "
        "({JJJJ} steht für das Jahr)"));

    auto link = [&](WindowLabel which) {
        auto* label = new ClickableLabel(QString::fromStdString(MainState::linkAddress(which).value_or("")));
        label->setObjectName(QString::fromLatin1(designerName(which)));
        label->setCursor(Qt::PointingHandCursor);
        label->setStyleSheet(QStringLiteral("color: #0645ad; text-decoration: underline;"));
        connect(label, &ClickableLabel::clicked, this,
                [this, which] { run([this, which] { m_state.Label52Click(which); }); });
        return label;
    };
    layout->addWidget(
        makeLabel(QStringLiteral("Label51"), QStringLiteral("Updates und die neueste Version gibt es bei:")),
        7, 0, 1, 2);
    layout->addWidget(link(WindowLabel::UpdatesLink), 8, 0, 1, 2);
    layout->addWidget(makeLabel(QStringLiteral("Label53"),
                                QStringLiteral("Die aktuellen Ziehungen und Quoten finden unter:")),
                      9, 0, 1, 2);
    layout->addWidget(link(WindowLabel::OperatorLink), 10, 0, 1, 2);
    layout->addWidget(makeLabel(QStringLiteral("Label55"),
                                QStringLiteral("Haben Sie dann gewonnen, hilft Tendora beim Anlegen")),
                      11, 0, 1, 2);
    layout->addWidget(link(WindowLabel::TendoraLink), 12, 0, 1, 2);
    layout->setRowStretch(15, 1);
    layout->setColumnStretch(1, 1);
    return page;
}

void TForm1::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    for (int i = 0; i < 2; ++i) {
        auto* panel = new QLabel;
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setFrameShape(QFrame::StyledPanel);
        m_statusPanels[static_cast<std::size_t>(i)] = panel;
    }
    m_statusPanels[0]->setMinimumWidth(
        fontMetrics().horizontalAdvance(QStringLiteral("Received 123456 bytes")) + 12);
    bar->addWidget(m_statusPanels[0]);
    // Years read out of years to read while an import runs.
    m_importProgress = new QProgressBar;
    m_importProgress->setObjectName(QStringLiteral("ImportProgress"));
    m_importProgress->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000000000000")));
    m_importProgress->setFormat(QStringLiteral("%v / %m"));
    m_importProgress->setVisible(false);
    bar->addWidget(m_importProgress);
    bar->addWidget(m_statusPanels[1], 1);
    // A download's texts ("Loading", ...) are shown with the whole state the moment they are
    // set, whatever the repaint throttle says: the GET that follows is where the window paints.
    m_state.setStatusListener([this](int panel, const std::string& text) {
        m_statusPanels[static_cast<std::size_t>(panel)]->setText(QString::fromStdString(text));
        if (panel == 0 && !m_syncing) refreshFromState();
    });
}

// ---------------------------------------------------------------- state <-> controls

void TForm1::run(const std::function<void()>& operation) {
    // An operation other than leaving a cell drops the marked texts: the cells show the state.
    if (!m_keepInvalidCells && !m_invalidCells.empty()) {
        for (int i : m_invalidCells) {
            m_cells[static_cast<std::size_t>(i)]->setProperty("invalid", false);
            m_cells[static_cast<std::size_t>(i)]->setProperty("repeated", QVariant());
        }
        m_invalidCells.clear();
    }
    scheduleSave();
    try {
        operation();
    } catch (const std::exception& e) {
        refreshFromState();
        m_host->showError(e.what());
    }
    refreshFromState();
    showOverview();
}

void TForm1::showOverview() {
    const auto date = [](DayNumber day) { return QString::fromStdString(formatShortDate(day)); };
    const DayNumber next = m_state.nextDrawDay();
    m_nextDrawLabel->setText(QStringLiteral("Nächste Ziehung: %1, %2")
                                 .arg(QString::fromUtf8(longDayName(weekday(next)).data()), date(next)));
    QStringList wins;
    std::int64_t total = 0;
    bool allQuotas = true;
    for (int tip = 0; tip < tipgrid::kTips; ++tip) {
        const MainState::TipWinning& winning = m_state.tipWinning(tip);
        if (!winning.rank) continue;
        const QString rank = QString::fromUtf8(prizeRankName(*winning.rank).data());
        const QString amount = winning.cents ? QString::fromStdString(formatCents(*winning.cents))
                                             : QStringLiteral("keine Quote gespeichert");
        wins << QStringLiteral("%1. Tipp: %2 (%3)").arg(tip + 1).arg(rank, amount);
        total += winning.cents.value_or(0);
        allQuotas = allQuotas && winning.cents;
    }
    const QString shown = QString::fromStdString(m_state.label(WindowLabel::DrawCaption).text).left(11);
    if (m_state.currentDraw().date <= 0)
        m_winningsLabel->setText(QStringLiteral("Noch keine Ziehung angezeigt."));
    else if (wins.isEmpty())
        m_winningsLabel->setText(
            QStringLiteral("Bei der angezeigten Ziehung (%1) hat keiner der Tipps gewonnen.").arg(shown));
    else
        m_winningsLabel->setText(
            QStringLiteral("Gewinne bei der angezeigten Ziehung (%1): %2. Zusammen %3%4.")
                .arg(shown, wins.join(QStringLiteral(", ")), QString::fromStdString(formatCents(total)),
                     allQuotas ? QString() : QStringLiteral(" (ohne die Ränge ohne Quote)")));

    QString archive;
    try {
        const MainState::ArchiveOverview overview = m_state.archiveOverview();
        archive = overview.draws == 0 ? QStringLiteral("Das Archiv enthält noch keine Ziehung.")
                                      : QStringLiteral("%1 Ziehungen, die erste vom %2, die neueste vom %3.")
                                            .arg(QString::fromStdString(formatGrouped(overview.draws)),
                                                 date(overview.first), date(overview.newest));
    } catch (const std::exception& e) {
        archive = QStringLiteral("Das Archiv ist nicht lesbar: %1").arg(QString::fromUtf8(e.what()));
    }
    const QFileInfo file(QString::fromStdString(m_state.archivePath()));
    const QString update =
        !m_lastUpdate.isEmpty()
            ? QStringLiteral("Letzte Aktualisierung: %1").arg(m_lastUpdate)
            : (file.exists() ? QStringLiteral("Zuletzt geändert: %1")
                                   .arg(file.lastModified().toString(QStringLiteral("dd.MM.yyyy hh:mm")))
                             : QString());
    m_archiveStateLabel->setText(update.isEmpty() ? archive : archive + QLatin1Char('\n') + update);
}

void TForm1::runImport(const std::function<void()>& operation, bool tellResult) {
    run(operation);
    if (m_closeAfterImport && !m_state.importRunning()) {
        close();
        return;
    }
    // The import's result with its time, for "Stand des Archivs" on the page "Datenbank".
    const auto& report = m_state.lastImport();
    const std::string result = !report ? m_state.statusText(0)
                               : report->complete
                                   ? importSummary(report->added, report->newest)
                                   : (report->failure.empty() ? std::string("abgebrochen") : report->failure);
    m_lastUpdate = QStringLiteral("%1 – %2").arg(
        QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy hh:mm")),
        QString::fromStdString(result));
    showOverview();
    // An import that failed has said why already.
    if (tellResult && report && report->complete)
        m_host->showMessage(importSummary(report->added, report->newest));
}

void TForm1::showPrizeBalance() {
    bool done = false;
    run([&] {
        m_state.GewinnbilanzClick();
        done = true;
    });
    if (!done) return;
    const PrizeBalance& balance = m_state.prizeBalance();
    m_chart->showNetCurve(balance.netCurve);
    std::array<std::array<int, 6>, 12> numbers{};
    for (const NumberedTip& tip : completeTips(cellsOfState()))
        numbers.at(static_cast<std::size_t>(tip.tip)) = tip.numbers;
    if (!m_balanceDialog) m_balanceDialog = new BalanceDialog(this);
    const SystemBet& system = m_state.system();
    const QString systemNumbers = QStringLiteral("%1: %2").arg(
        QString::fromStdString(systemName(system)),
        QString::fromStdString(joinNumbers(system.bankers, " ") + (system.bankers.empty() ? "" : " | ") +
                               joinNumbers(system.choices, " ")));
    m_balanceDialog->showBalance(balance, numbers, m_state.stakeCents(), m_state.systemBalance(),
                                 systemNumbers);
    m_balanceDialog->show();
    m_balanceDialog->raise();
    m_balanceDialog->activateWindow();
}

StrategyTestDialog* TForm1::strategyTestDialog() {
    if (!m_strategyTestDialog)
        m_strategyTestDialog = new StrategyTestDialog(
            m_state, [this] { refreshFromState(); }, this);
    return m_strategyTestDialog;
}

void TForm1::showSystemDialog() {
    if (!m_systemDialog) {
        m_systemDialog = new SystemDialog(*this);
        // Room for more tips in the list where the screen has it.
        const QRect available = screen()->availableGeometry();
        const QSize hint = m_systemDialog->sizeHint();
        m_systemDialog->resize(
            hint.width(), std::max(hint.height(), std::min(available.height() - 80, hint.height() + 250)));
    }
    m_systemDialog->refresh();
    m_systemDialog->show();
    m_systemDialog->raise();
    m_systemDialog->activateWindow();
}

std::array<std::string, tipgrid::kCells> TForm1::cellsOfState() const {
    std::array<std::string, tipgrid::kCells> cells;
    for (int i = 0; i < tipgrid::kCells; ++i)
        cells[static_cast<std::size_t>(i)] = m_state.cell(i);
    return cells;
}

void TForm1::refreshFromState() {
    m_syncing = true;
    if (m_systemDialog) m_systemDialog->refreshDraw();
    if (auto* source = findChild<QComboBox*>(QStringLiteral("AustriaSourceComboBox")))
        source->setCurrentIndex(source->findData(static_cast<int>(m_state.austrianSource())));
    // The caption names the server "Datenbank aktualisieren" reads from.
    const QString server = QString::fromStdString(m_state.server(m_state.austrianSource()));
    const QString host = QUrl(server).host().isEmpty() ? server : QUrl(server).host();
    const QString title = QStringLiteral("Zerbosts Lotto - Tipp mit den akt. Zahlen direkt von ") + host;
    if (windowTitle() != title) setWindowTitle(title);
    for (int i = 0; i < tipgrid::kCells; ++i) {
        const QString text = QString::fromStdString(m_state.cell(i));
        QLineEdit* edit = m_cells[static_cast<std::size_t>(i)];
        if (m_invalidCells.count(i)) {
            if (text.isEmpty()) continue; // the marked text stays until it is typed over
            m_invalidCells.erase(i);
            edit->setProperty("invalid", false);
            edit->setProperty("repeated", QVariant());
        }
        if (edit->text() != text) edit->setText(text);
    }
    for (const WindowLabelInfo& info : kWindowLabels) {
        QLabel* label = m_stateLabels[labelIndex(info.label)];
        if (!label) continue; // the links show their address
        const LabelControl& control = m_state.label(info.label);
        const QString text = QString::fromStdString(control.text);
        if (label->text() != text) label->setText(text);
        if (m_hitLabels.count(label)) label->setToolTip(QString::fromStdString(control.hint));
        if (info.label == WindowLabel::TipPageDraw) continue; // keeps the tool-tip colours of its banner
        // Hit labels are black or red on a light ground, as on a paper ticket; every other
        // label's black is the theme's text colour so it stays readable on a dark theme.
        const bool red = control.color == LabelColor::Red;
        const QColor color =
            red ? QColor(Qt::red)
                : (m_hitLabels.count(label) ? QColor(Qt::black) : palette().color(QPalette::WindowText));
        if (label->palette().color(QPalette::WindowText) != color) {
            QPalette p = label->palette();
            p.setColor(QPalette::WindowText, color);
            label->setPalette(p);
        }
    }
    for (const OptionInfo& info : kGenerationOptions)
        if (info.control == OptionControl::CheckBox)
            if (QCheckBox* box = m_checkBoxes[static_cast<std::size_t>(info.number)])
                box->setChecked(m_state.isOn(info.option));
    for (const WeekdayBoxInfo& info : kWeekdayBoxes)
        if (QCheckBox* box = m_checkBoxes[static_cast<std::size_t>(info.number)])
            box->setChecked(m_state.weekdayBox(info.box));
    m_stakeSpin->setValue(static_cast<double>(m_state.stakeCents()) / 100.0);
    m_jokerSpin->setValue(static_cast<double>(m_state.jokerCents()) / 100.0);
    m_updateOnStartBox->setChecked(m_state.updateOnStart());
    for (const OptionInfo& info : kGenerationOptions)
        if (info.control == OptionControl::UpDown)
            if (QSpinBox* spin = m_upDowns[static_cast<std::size_t>(info.number)])
                spin->setValue(m_state.value(info.option));
    m_picker1->setDate(toQDate(m_state.drawDate()));
    m_picker2->setDate(toQDate(m_state.statisticsStart()));
    for (auto& [edit, field] : m_textEdits) {
        const QString text = QString::fromStdString(field.get(m_state));
        if (edit->text() == text) continue;
        edit->setText(text);
        if (!edit->hasFocus()) edit->setCursorPosition(0); // a long value shows its beginning
    }
    for (int i = 0; i < 2; ++i) {
        const QString text = QString::fromStdString(m_state.statusText(i));
        if (m_statusPanels[static_cast<std::size_t>(i)]->text() != text)
            m_statusPanels[static_cast<std::size_t>(i)]->setText(text);
    }
    if (m_shownChartRevision != m_state.chartRevision()) {
        m_chart->showModel(m_state.chart());
        m_shownChartRevision = m_state.chartRevision();
    }
    if (m_state.activePage() != Page::LetzteZiehung)
        m_pages->setCurrentIndex(static_cast<int>(m_state.activePage()));
    m_stopButton->setVisible(m_state.speedButton8Visible());
    for (QAbstractButton* button : m_importButtons)
        button->setEnabled(m_state.importButtonsEnabled());
    const MainState::ImportProgress& progress = m_state.importProgress();
    m_importProgress->setVisible(m_state.importRunning() && progress.total > 0);
    m_importProgress->setRange(0, std::max(progress.total, 1));
    m_importProgress->setValue(progress.done);
    showRepeatedCells();
    m_syncing = false;
}

void TForm1::showRepeatedCells() {
    for (int i = 0; i < tipgrid::kCells; ++i) {
        QLineEdit* edit = m_cells[static_cast<std::size_t>(i)];
        const bool repeated = m_state.isRepeatedCell(i);
        const QVariant shown = edit->property("repeated");
        if (shown.isValid() && shown.toBool() == repeated) continue;
        edit->setProperty("repeated", repeated);
        const bool invalid = edit->property("invalid").toBool();
        edit->setStyleSheet(repeated || invalid ? QStringLiteral("QLineEdit { border: 2px solid red; }")
                                                : QString());
        edit->setToolTip(invalid ? QString::fromLatin1(kInvalidNumberText)
                                 : (repeated ? QStringLiteral("Zahl doppelt") : QString()));
    }
}

void TForm1::onRepaintPoint(RepaintArea area) {
    // Operations call this for every candidate; painting about 30 times a second shows the
    // same progress without slowing them down.
    if (m_repaintTimer.isValid() && m_repaintTimer.elapsed() < 33) return;
    m_repaintTimer.start();
    refreshFromState();
    if (area == RepaintArea::StatusBar)
        statusBar()->repaint();
    else
        repaint();
}

void TForm1::nameControlsForScreenReaders() {
    for (int index = 0; index < tipgrid::kCells; ++index)
        m_cells[static_cast<std::size_t>(index)]->setAccessibleName(
            QStringLiteral("Tipp %1, Zahl %2")
                .arg(index / tipgrid::kCellsPerTip + 1)
                .arg(index % tipgrid::kCellsPerTip + 1));
    for (int tip = 0; tip < tipgrid::kTips; ++tip) {
        m_stateLabels[labelIndex(hitLabel(tip))]->setAccessibleName(
            QStringLiteral("Treffer Tipp %1").arg(tip + 1));
        m_stateLabels[labelIndex(tipSumLabel(tip))]->setAccessibleName(
            QStringLiteral("Quersumme Tipp %1").arg(tip + 1));
    }
    // Everything else speaks its caption, else its label, else its hint without the key.
    const auto plain = [](QString text) {
        text.remove(QLatin1Char('&'));
        const qsizetype keys = text.lastIndexOf(QStringLiteral(" ("));
        return keys > 0 && text.endsWith(QLatin1Char(')')) ? text.left(keys) : text;
    };
    for (QWidget* widget : findChildren<QWidget*>()) {
        if (!widget->accessibleName().isEmpty()) continue;
        QString name;
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) name = button->text();
        if (name.isEmpty())
            for (QLabel* label : findChildren<QLabel*>())
                if (label->buddy() == widget) name = label->text();
        if (name.isEmpty()) name = widget->toolTip();
        if (!name.isEmpty()) widget->setAccessibleName(plain(name));
    }
}

void TForm1::scheduleSave() {
    if (m_saveTimer) m_saveTimer->start();
}

void TForm1::saveSettings() {
    saveWindowGeometry();
    m_state.FormClose(m_store);
}

void TForm1::closeEvent(QCloseEvent* event) {
    // The import runs inside a GET further down this stack: it is asked to stop, and the
    // window closes when it has ended.
    if (m_state.importRunning()) {
        m_closeAfterImport = true;
        m_state.SpeedButton8Click();
        refreshFromState();
        event->ignore();
        return;
    }
    m_saveTimer->stop();
    saveSettings();
    event->accept();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    const bool isCell =
        qobject_cast<QLineEdit*>(watched) && tipgrid::cellForName(watched->objectName().toStdString());
    switch (event->type()) {
    case QEvent::FocusOut: {
        // Leaving a cell means moving to another control: a dialog opening or the window
        // losing the focus leaves the tips as they are.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (isCell && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            QApplication::activeModalWidget() == nullptr)
            leaveCell(*tipgrid::cellForName(watched->objectName().toStdString()));
        break;
    }
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (isCell && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            focusNextChild(); // as Tab: the leaving rule runs on the way
            return true;
        }
        break;
    }
    case QEvent::Resize:
        if (watched == m_tipPage) scaleTipGrid();
        break;
    case QEvent::MouseButtonRelease:
        if (watched->objectName() == QLatin1String("Panel5") ||
            watched->objectName() == QLatin1String("Panel6")) {
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                run([this] { m_state.Label43Click(); });
            return true;
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::leaveCell(int index) {
    QLineEdit* edit = m_cells[static_cast<std::size_t>(index)];
    if (!edit->text().isEmpty() && m_state.cell(index).empty()) {
        m_invalidCells.insert(index);
        markInvalidCell(index, true);
        m_state.setStatusText(1, kInvalidNumberText);
    }
    // A tip is sorted and rated once it is left, or its sixth cell is: typing over it cell by
    // cell keeps every number where it was typed.
    const int tip = index / tipgrid::kCellsPerTip;
    const auto next = QApplication::focusWidget()
                          ? tipgrid::cellForName(QApplication::focusWidget()->objectName().toStdString())
                          : std::nullopt;
    const bool staysInTip = next && *next / tipgrid::kCellsPerTip == tip;
    if (staysInTip && index % tipgrid::kCellsPerTip != tipgrid::kCellsPerTip - 1) {
        refreshFromState();
        return;
    }
    m_keepInvalidCells = true;
    run([this] { m_state.Edit1Exit(); });
    m_keepInvalidCells = false;
}

void TForm1::markInvalidCell(int index, bool invalid) {
    QLineEdit* edit = m_cells[static_cast<std::size_t>(index)];
    edit->setProperty("invalid", invalid);
    edit->setProperty("repeated", QVariant()); // showRepeatedCells paints it anew
    showRepeatedCells();
}

void TForm1::addShortcut(QAbstractButton* button, const QKeySequence& keys, bool showsChart) {
    // A window-wide shortcut, so it works from every page; it names itself in the hint.
    auto* shortcut = new QShortcut(keys, this);
    connect(shortcut, &QShortcut::activated, button, [this, button, showsChart] {
        if (!button->isEnabled()) return;
        button->click();
        // The chart page's own buttons leave the page as it is: their key shows the chart.
        if (showsChart) {
            m_state.setActivePage(Page::Diagramm);
            refreshFromState();
        }
    });
    const QString hint = button->toolTip().isEmpty() ? button->text() : button->toolTip();
    button->setToolTip(hintWithKeys(hint, keys));
}

void TForm1::scaleTipGrid() {
    // The grid grows with the window, so a larger window shows larger tips rather than an
    // empty page: cells, hit and digit-sum labels keep their places beside each other.
    if (!m_tipPage || !m_tipPage->isVisible()) return;
    // What the page needs at scale 1, measured once it is laid out on the screen.
    if (!m_tipPageBase.isValid()) m_tipPageBase = m_tipPage->minimumSizeHint().expandedTo(QSize(1, 1));
    const QSize room = m_tipPage->size();
    const double fit = std::min(room.width() / double(m_tipPageBase.width()),
                                room.height() / double(m_tipPageBase.height()));
    setTipGridScale(std::clamp(std::floor(fit * 0.95 * 10) / 10, 1.0, 2.5));
}

void TForm1::setTipGridScale(double scale) {
    if (scale == m_tipScale) return;
    m_tipScale = scale;
    QFont cellFont = font();
    cellFont.setPointSizeF((font().pointSizeF() + 1.5) * scale);
    QFont boldFont = cellFont;
    boldFont.setBold(true);
    const QFontMetrics cellMetrics(cellFont);
    for (QLineEdit* edit : m_cells) {
        edit->setFont(cellFont);
        edit->setFixedWidth(cellMetrics.horizontalAdvance(QStringLiteral("000")) +
                            static_cast<int>(14 * scale));
    }
    QFont labelFont = font();
    labelFont.setPointSizeF(font().pointSizeF() * scale);
    m_tipGrid->setVerticalSpacing(static_cast<int>(6 * scale));
    for (QLabel* label : m_tipPage->findChildren<QLabel*>()) {
        if (m_hitLabels.count(label)) {
            label->setFont(boldFont);
            label->setMinimumWidth(QFontMetrics(boldFont).horizontalAdvance(QStringLiteral("6 + Z")) + 8);
        } else if (label->parentWidget() && label->parentWidget()->objectName() == QLatin1String("Panel2")) {
            label->setFont(labelFont); // captions, digit sums and headings
        }
    }
}

} // namespace lotto
