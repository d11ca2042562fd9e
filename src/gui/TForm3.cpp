#include "gui/TForm3.h"

#include "core/shell/MainState.h"
#include "gui/QtDates.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

namespace lotto {

namespace {

QSpinBox* numberField(int number, int max) {
    auto* spin = new QSpinBox;
    spin->setObjectName(QStringLiteral("UpDown%1").arg(number));
    if (auto* edit = spin->findChild<QLineEdit*>()) edit->setObjectName(QStringLiteral("Edit%1").arg(number));
    spin->setRange(1, max);
    return spin;
}

QLabel* redBoldLabel(const QString& name, const QString& text) {
    auto* label = new QLabel(text);
    label->setObjectName(name);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    label->setPalette(palette);
    return label;
}

} // namespace

TForm3::TForm3(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Zahlen der Ziehung eingeben"));

    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    m_date = new QDateEdit;
    m_date->setObjectName(QStringLiteral("DateTimePicker1"));
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    m_date->setMinimumDate(toQDate(MainState::earliestDate()));
    m_date->setMaximumDate(QDate(9999, 12, 31));
    row->addWidget(m_date);
    for (int n = 1; n <= 6; ++n) {
        m_numbers[static_cast<std::size_t>(n - 1)] = numberField(n, 45);
        row->addWidget(m_numbers[static_cast<std::size_t>(n - 1)]);
    }
    row->addWidget(redBoldLabel(QStringLiteral("Label1"), QStringLiteral("Z:")));
    m_numbers[6] = numberField(7, 45);
    row->addWidget(m_numbers[6]);
    m_slotLabel = redBoldLabel(QStringLiteral("Label2"), QStringLiteral("S:"));
    row->addWidget(m_slotLabel);
    m_numbers[7] = numberField(8, 10);
    row->addWidget(m_numbers[7]);
    layout->addLayout(row);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("BitBtn2"));
    ok->setDefault(true);
    auto* abort =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Abbrechen"));
    abort->setObjectName(QStringLiteral("BitBtn1"));
    buttons->addWidget(ok);
    buttons->addWidget(abort);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(abort, &QPushButton::clicked, this, &QDialog::reject);
}

void TForm3::setEntry(const DrawEntry& entry) {
    m_date->setDate(toQDate(entry.date));
    for (std::size_t i = 0; i < 6; ++i)
        m_numbers[i]->setValue(entry.main[i]); // kept within 1..45
    m_numbers[6]->setValue(entry.extra);
}

DrawEntry TForm3::entry() const {
    DrawEntry entry;
    entry.date = fromQDate(m_date->date());
    for (std::size_t i = 0; i < 6; ++i)
        entry.main[i] = m_numbers[i]->value();
    entry.extra = m_numbers[6]->value();
    return entry;
}

void TForm3::setSlotVisible(bool visible) {
    m_slotLabel->setVisible(visible);
    m_numbers[7]->setVisible(visible);
}

} // namespace lotto
