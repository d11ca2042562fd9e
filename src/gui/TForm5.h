#pragma once

#include "core/output/TicketLayout.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QSpinBox;

namespace lotto {

// "Druckeinstellungen für den Lottoschein": draw days, extra games, offsets and cost.
// Created once and kept, so the Joker and test boxes stay as the last print left them.
class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);

    // Puts the ticket print's presets into the dialog and shows the opening cost.
    void preset(const TicketDialogPresets& presets);
    // The boxes and offsets as they stand.
    TicketSettings settings() const;
    // Recomputes the cost whenever a day or Joker box changes.
    void CheckBox1Click();

private:
    QCheckBox* m_sunday = nullptr;
    QCheckBox* m_wednesday = nullptr;
    QCheckBox* m_joker = nullptr;
    QCheckBox* m_joker2 = nullptr;
    QCheckBox* m_joker3 = nullptr;
    QCheckBox* m_testImage = nullptr;
    QSpinBox* m_top = nullptr;
    QSpinBox* m_left = nullptr;
    QLabel* m_cost = nullptr;
    int m_tipCount = 0;
    TicketPrices m_prices;
};

} // namespace lotto
