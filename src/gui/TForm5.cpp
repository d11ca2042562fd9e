#include "gui/TForm5.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace lotto {

TForm5::TForm5(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Druckeinstellungen für den Lottoschein"));
    QFont bold(QStringLiteral("Arial"));
    bold.setBold(true);
    setFont(bold);

    auto box = [this](int number, const QString& text) {
        auto* check = new QCheckBox(text);
        check->setObjectName(QStringLiteral("CheckBox%1").arg(number));
        return check;
    };
    m_sunday = box(1, QStringLiteral("Sonntag"));
    m_wednesday = box(2, QStringLiteral("Mittwoch"));
    m_joker = box(3, QStringLiteral("Joker"));
    m_joker2 = box(4, QStringLiteral("Joker 2"));
    m_joker3 = box(6, QStringLiteral("Joker 3"));
    m_testImage = box(5, QStringLiteral("Schein zum Test mit anzeigen"));
    for (QCheckBox* check : {m_sunday, m_wednesday, m_joker, m_joker2, m_joker3})
        connect(check, &QCheckBox::toggled, this, [this] { CheckBox1Click(); });

    auto offset = [this](int number) {
        auto* spin = new QSpinBox;
        spin->setObjectName(QStringLiteral("UpDown%1").arg(number));
        if (auto* edit = spin->findChild<QLineEdit*>())
            edit->setObjectName(QStringLiteral("Edit%1").arg(number));
        spin->setRange(ticket::kOffsetMin, ticket::kOffsetMax);
        return spin;
    };
    m_top = offset(1);
    m_left = offset(2);
    m_top->setToolTip(QStringLiteral("Abstand der Kreuze vom oberen Rand, in 1/96 Zoll"));
    m_left->setToolTip(QStringLiteral("Abstand der Kreuze vom linken Rand, in 1/96 Zoll"));
    m_testImage->setToolTip(
        QStringLiteral("Zeigt den eingescannten Schein „schein.jpg“ oder seine Kästchen hinter den Kreuzen, "
                       "um die Druckposition einzustellen"));
    auto label = [](const QString& name, const QString& text) {
        auto* l = new QLabel(text);
        l->setObjectName(name);
        return l;
    };
    m_cost = label(QStringLiteral("Label4"), {});

    auto* grid = new QGridLayout;
    grid->addWidget(m_sunday, 0, 0);
    grid->addWidget(m_joker, 0, 1);
    grid->addWidget(m_wednesday, 1, 0);
    grid->addWidget(m_joker2, 1, 1);
    grid->addWidget(m_joker3, 2, 1);
    grid->addWidget(m_testImage, 3, 0, 1, 2);
    auto* offsets = new QHBoxLayout;
    offsets->addWidget(label(QStringLiteral("Label1"), QStringLiteral("Oben:")));
    offsets->addWidget(m_top);
    offsets->addSpacing(12);
    offsets->addWidget(label(QStringLiteral("Label2"), QStringLiteral("Links")));
    offsets->addWidget(m_left);
    offsets->addStretch();
    grid->addLayout(offsets, 4, 0, 1, 2);
    auto* cost = new QHBoxLayout;
    cost->addWidget(label(QStringLiteral("Label3"), QStringLiteral("Kosten:")));
    cost->addWidget(m_cost);
    cost->addStretch();
    grid->addLayout(cost, 5, 0, 1, 2);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Abort | QDialogButtonBox::Ok);
    QPushButton* abort = buttons->button(QDialogButtonBox::Abort);
    abort->setObjectName(QStringLiteral("BitBtn1"));
    abort->setText(QStringLiteral("Abbrechen"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BitBtn2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(abort, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addWidget(buttons);
    resize(332, 201);
}

void TForm5::preset(const TicketDialogPresets& presets) {
    m_top->setValue(presets.top);
    m_left->setValue(presets.left);
    m_tipCount = presets.tipCount;
    m_prices = presets.prices;
    m_sunday->setChecked(presets.sunday);
    m_wednesday->setChecked(presets.wednesday);
    CheckBox1Click();
}

TicketSettings TForm5::settings() const {
    TicketSettings s;
    s.top = m_top->value();
    s.left = m_left->value();
    s.sunday = m_sunday->isChecked();
    s.wednesday = m_wednesday->isChecked();
    s.joker = m_joker->isChecked();
    s.joker2 = m_joker2->isChecked();
    s.joker3 = m_joker3->isChecked();
    s.testImage = m_testImage->isChecked();
    return s;
}

void TForm5::CheckBox1Click() {
    m_cost->setText(QString::fromStdString(ticket::costText(m_tipCount, settings(), m_prices)));
}

} // namespace lotto
